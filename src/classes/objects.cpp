#include "objects.h"

#include "class_protocol.h"
#include "plugin/host.h"
#include "plugin/module_state.h"
#include "plugin/text.h"

namespace zorvel {
namespace {

// Sets the new object's path, unless its _new already did. When memory runs out the object gets
// an empty path, never a part of the one asked for.
void setPath(abi::ValueRecord* object, const char* path, std::size_t length) {
  if (!object || !object->data) return;
  char*& pathText = static_cast<PathObject*>(object->data)->pathText;
  if (sameText(pathText, path)) return;
  assignText(path, &pathText);
  if (pathText && textLength(pathText) != length) pathText[0] = 0;
}

// The host runs the class's _new inside object creation; _new is offered the path and takes it
// at once. Another class's _new, or memory running short, leaves the path to be set here. The
// path is a copy of the caller's: a text handed in by the host would not outlive that call.
abi::ValueRecord* makeObject(abi::word classHandle, const TextVar& path, std::size_t length,
                             bool asResult) {
  protocol::NewObjectPath offer(path.c_str(), length);
  abi::ValueRecord* object =
      asResult ? host::resultObject(classHandle) : host::newObject(classHandle);
  if (object && offer.holder() != object->data) setPath(object, path.c_str(), length);
  return object;
}

abi::ValueRecord* makePathObject(abi::word classHandle, const char* path, bool asResult) {
  TextVar copy(path);
  return makeObject(classHandle, copy, copy.size(), asResult);
}

}  // namespace

abi::ValueRecord* makeFileObject(const char* path) {
  return makePathObject(module.fileClass, path, true);
}

abi::ValueRecord* makeFolderObject(const char* path) {
  return makePathObject(module.folderClass, path, true);
}

abi::ValueRecord* makeElementFileObject(const TextVar& path, std::size_t length) {
  return makeObject(module.fileClass, path, length, false);
}

abi::ValueRecord* makeElementFolderObject(const TextVar& path, std::size_t length) {
  return makeObject(module.folderClass, path, length, false);
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
