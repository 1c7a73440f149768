#include "objects.h"

#include "plugin/host.h"
#include "plugin/module.h"
#include "plugin/text.h"

namespace zorvel {
namespace {

// Sets the new object's path. When memory runs out the object gets an empty path, never a part
// of the one asked for.
void setPath(abi::ValueRecord* object, const char* path, std::size_t length) {
  if (!object || !object->data) return;
  char*& pathText = static_cast<PathObject*>(object->data)->pathText;
  assignText(path, &pathText);
  if (pathText && textLength(pathText) != length) pathText[0] = 0;
}

// The host runs the class's _new inside object creation, so the data block exists when the
// path is set. The path is copied first: a text handed in by the host would not outlive that
// call.
abi::ValueRecord* makePathObject(abi::word classHandle, const char* path, bool asResult) {
  TextVar copy(path);
  abi::ValueRecord* object =
      asResult ? host::resultObject(classHandle) : host::newObject(classHandle);
  setPath(object, copy.c_str(), copy.size());
  return object;
}

abi::ValueRecord* makeMemberObject(abi::word classHandle, const TextVar& path) {
  abi::ValueRecord* object = host::newObject(classHandle);
  setPath(object, path.c_str(), path.size());
  return object;
}

}  // namespace

abi::ValueRecord* makeFileObject(const char* path) {
  return makePathObject(module.fileClass, path, true);
}

abi::ValueRecord* makeFolderObject(const char* path) {
  return makePathObject(module.folderClass, path, true);
}

abi::ValueRecord* makeMemberFileObject(const char* path) {
  return makePathObject(module.fileClass, path, false);
}

abi::ValueRecord* makeMemberFolderObject(const char* path) {
  return makePathObject(module.folderClass, path, false);
}

abi::ValueRecord* makeMemberFileObject(const TextVar& path) {
  return makeMemberObject(module.fileClass, path);
}

abi::ValueRecord* makeMemberFolderObject(const TextVar& path) {
  return makeMemberObject(module.folderClass, path);
}

PathObject* selfObject() {
  abi::ValueRecord* self = host::getSelf();
  return self ? static_cast<PathObject*>(self->data) : nullptr;
}

const char* selfPath() {
  PathObject* object = selfObject();
  return object && object->pathText ? object->pathText : "";
}

}  // namespace zorvel
