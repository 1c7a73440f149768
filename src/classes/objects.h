// File and folder objects: host objects whose data block holds one library text variable, the
// path. Routines make them here; the host runs the class's _new before the path is set.
#pragma once

#include "plugin/abi.h"
#include "plugin/text.h"

namespace zorvel {

// The data block of a file or folder object.
struct PathObject {
  char* pathText;  // a library text variable; "" right after _new
};

// A new file or folder object holding a copy of `path`, made as the routine's result
// (resultObject): the routine returns host::asWord of it. Null when the host gives no object;
// an empty path when memory runs out.
abi::ValueRecord* makeFileObject(const char* path);
abi::ValueRecord* makeFolderObject(const char* path);
// The same as list elements (newObject), for listAppend.
abi::ValueRecord* makeMemberFileObject(const char* path);
abi::ValueRecord* makeMemberFolderObject(const char* path);
// The same for a path in a library text variable: no host call can touch it, so it is not
// copied first (a listing makes thousands of these).
abi::ValueRecord* makeMemberFileObject(const TextVar& path);
abi::ValueRecord* makeMemberFolderObject(const TextVar& path);

// The data block of the object whose routine runs (getSelf), or null.
PathObject* selfObject();
// Its path text ("" when it has none).
const char* selfPath();

}  // namespace zorvel
