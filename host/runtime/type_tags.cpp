#include "runtime/type_tags.h"

#include <cstdint>

namespace quenda {

namespace {
// One word per kind; only the addresses matter.
const abi::word tags[8] = {1, 2, 3, 4, 5, 6, 7, 8};
}  // namespace

abi::word typeTag(Kind kind) {
  if (kind == Kind::Object) return 0;
  return static_cast<abi::word>(reinterpret_cast<std::uintptr_t>(&tags[static_cast<int>(kind)]));
}

}  // namespace quenda
