// The language's fuzz target on fixed inputs, for builds without libFuzzer: huge and deep
// inputs, and scripts that reach into the library the way a fuzzer's corpus starts.
#include <gtest/gtest.h>

#include <string>

#include "lang_fuzz.h"

namespace {

TEST(LangFuzz, HugeAndDeepInputsAreRefusedCleanly) {
  std::string chain = "x = 1";
  for (int i = 0; i < 5000; ++i) chain += "+1";
  for (const std::string& input : {
           std::string(100000, '('),
           std::string(100000, '{'),
           std::string(50000, '-') + "1",
           "x = " + std::string(200000, '9'),
           "\"" + std::string(300000, 'x') + "\"",
           std::string(1000, '\0'),
           std::string("f(){ f }\nf"),
           std::string("f(){ f; f }\nf"),
           chain,
           // Recursion through the library: standby inside a job's own action.
           std::string("job\\r\\action(){ standby; standby }\nstandby\n"),
           std::string("main\\g(){ if(args:count){ print(pop) } else { g(1) } }\ng\n"),
           std::string("file f(\"C:\\work\\notes.txt\")\nf.rename(\"n.txt\")\nprint(f.name)\n"),
       })
    LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(input.data()), input.size());
}

}  // namespace
