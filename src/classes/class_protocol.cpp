#include "class_protocol.h"

#include "objects.h"
#include "plugin/calls.h"
#include "plugin/memory.h"
#include "plugin/text.h"

namespace zorvel::protocol {
namespace {

PathObject* selfData() {
  return static_cast<PathObject*>(host::getSelfData());
}

}  // namespace

const char* NewObjectPath::offered_ = nullptr;

NewObjectPath::NewObjectPath(const char* path) {
  offered_ = path;
}

NewObjectPath::~NewObjectPath() {
  offered_ = nullptr;
}

const char* NewObjectPath::take() {
  const char* path = offered_ ? offered_ : "";
  offered_ = nullptr;
  return path;
}

abi::word newObject() {
  abi::ValueRecord* self = host::getSelf();
  if (!self) return kNoResult;
  const char* path = NewObjectPath::take();
  auto* block = static_cast<PathObject*>(allocateBlock(sizeof(PathObject)));
  if (block) {
    assignText(path, &block->pathText);
    if (!block->pathText) assignText("", &block->pathText);
  }
  self->data = block;
  self->flags |= abi::kNewFlag;
  return kNoResult;
}

abi::word defineObject() {
  PathObject* object = selfData();
  if (object) {
    host::nextArgText(&object->pathText);
  } else {
    // No data block to store into: the argument is still taken, and dropped.
    TextVar dropped;
    host::nextArgText(dropped.cell());
  }
  return kNoResult;
}

abi::word deleteObject() {
  abi::ValueRecord* self = host::getSelf();
  if (!self || !self->data) return kNoResult;
  auto* object = static_cast<PathObject*>(self->data);
  releaseText(&object->pathText);
  freeBlock(object);
  self->data = nullptr;
  return kNoResult;
}

abi::word formObject() {
  return giveText(selfPath());
}

abi::word setObject(abi::word ownClass) {
  abi::ValueRecord* self = host::getSelf();
  abi::ValueRecord* source = host::nextArgValue();
  if (self && self->data && (isTextValue(source) || isObjectOf(source, ownClass))) {
    // Copied through a variable of its own: the source may be this very object.
    TextVar text(firstWordText(source));
    assignText(text.c_str(), &static_cast<PathObject*>(self->data)->pathText);
  }
  return host::asWord(self);
}

abi::word fSetObject() {
  abi::ValueRecord* target = host::nextArgValue();
  if (isTextValue(target)) host::assignValue(target, host::resultText(selfPath()));
  return host::asWord(target);
}

}  // namespace zorvel::protocol
