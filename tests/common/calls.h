// Shared by the tests that drive the library through the host runtime, natively and under Wine:
// calling a name with text arguments, and a call's outcome as one line of text.
#pragma once

#include <string>
#include <vector>

#include "runtime/runtime.h"

namespace calls {

inline quenda::Result callWithTexts(quenda::Runtime& runtime, const std::string& path,
                                    const std::vector<std::string>& args) {
  std::vector<quenda::ValueRef> values;
  for (const auto& arg : args) values.push_back(runtime.text(arg));
  return runtime.call(path, values);
}

// "folder C:\x\" or "file C:\x\a.txt", "text ...", "none" for no result, "error: ..." for an
// error.
inline std::string describe(const quenda::Result& result) {
  if (!result.ok()) return "error: " + *result.error;
  if (!result.value) return "none";
  if (result.value.is(quenda::Kind::Object))
    return result.value.name() + " " + result.value.objectPath();
  if (result.value.is(quenda::Kind::Text)) return "text " + result.value.text();
  return "other";
}

}  // namespace calls
