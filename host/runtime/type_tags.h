// The type words of host-made values. They are addresses of static words, so they can never equal
// a class handle (the address of a class the runtime made).
#pragma once

#include "runtime/runtime.h"

namespace quenda {

// The type word for a kind; 0 for Object, whose type word is its class handle.
abi::word typeTag(Kind kind);

}  // namespace quenda
