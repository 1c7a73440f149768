// The class protocol that file and folder objects share: the host creates, initialises,
// assigns, formats and destroys an object through these members. Each class's routines call
// them with its own class handle.
#pragma once

#include "plugin/abi.h"

namespace zorvel::protocol {

abi::word newObject();
// The path that the next object's _new gives it in place of "", for a routine that asks the
// host for an object it will set at once; null when none. A listing of thousands of entries
// then makes each path text once instead of twice.
void setNextObjectPath(const char* path);
abi::word defineObject();
abi::word deleteObject();
abi::word formObject();
// Takes a text, or the path of an object of `ownClass`; ignores anything else.
abi::word setObject(abi::word ownClass);
abi::word fSetObject();

}  // namespace zorvel::protocol
