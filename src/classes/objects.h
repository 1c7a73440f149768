// File and folder objects: host objects whose data block holds one library text variable, the
// path. Routines make them here; the host runs the class's _new before the path is set.
#pragma once

#include <cstddef>

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
// The same as elements of a list (newObject), for listAppend, from a path of `length`
// characters. The path is a library text variable, which no host call can touch, so it is not
// copied first (a listing makes thousands of these).
abi::ValueRecord* makeElementFileObject(const TextVar& path, std::size_t length);
abi::ValueRecord* makeElementFolderObject(const TextVar& path, std::size_t length);

// The data block of the object whose routine runs (getSelf), or null.
PathObject* selfObject();
// Its path text ("" when it has none).
const char* selfPath();

}  // namespace zorvel
