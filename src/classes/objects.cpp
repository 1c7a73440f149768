#include "objects.h"

#include "plugin/host.h"
#include "plugin/module.h"
#include "plugin/text.h"

namespace zorvel {
namespace {

// The host runs the class's _new inside object creation, so the data block exists when the
// path is set. The path is copied first: a text handed in by the host would not outlive that
// call. When memory runs out there is no object rather than one that names another place; an
// object the routine does not return is the host's to free.
abi::ValueRecord* makePathObject(abi::word classHandle, const char* path, bool asResult) {
  TextVar copy(path);
  if (!copy.present()) return nullptr;
  abi::ValueRecord* object =
      asResult ? host::resultObject(classHandle) : host::newObject(classHandle);
  if (!object || !object->data) return nullptr;
  char*& pathText = static_cast<PathObject*>(object->data)->pathText;
  assignText(copy.c_str(), &pathText);
  if (textLength(pathText) != copy.size()) return nullptr;
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

PathObject* selfObject() {
  abi::ValueRecord* self = host::getSelf();
  return self ? static_cast<PathObject*>(self->data) : nullptr;
}

const char* selfPath() {
  PathObject* object = selfObject();
  return object && object->pathText ? object->pathText : "";
}

}  // namespace zorvel
