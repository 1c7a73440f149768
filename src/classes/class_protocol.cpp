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

const char* gNextObjectPath = nullptr;

}  // namespace

abi::word newObject() {
  abi::ValueRecord* self = host::getSelf();
  if (!self) return kNoResult;
  auto* block = static_cast<PathObject*>(allocateBlock(sizeof(PathObject)));
  if (block) {
    assignText(gNextObjectPath ? gNextObjectPath : "", &block->pathText);
    if (!block->pathText) assignText("", &block->pathText);
  }
  gNextObjectPath = nullptr;
  self->data = block;
  self->flags |= abi::kNewFlag;
  return kNoResult;
}

void setNextObjectPath(const char* path) {
  gNextObjectPath = path;
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
