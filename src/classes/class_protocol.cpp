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

NewObjectPath* NewObjectPath::current_ = nullptr;

NewObjectPath::NewObjectPath(const char* path, std::size_t length) : text_(path), length_(length) {
  current_ = this;
}

NewObjectPath::~NewObjectPath() {
  current_ = nullptr;
}

NewObjectPath* NewObjectPath::take() {
  NewObjectPath* offer = current_;
  current_ = nullptr;
  return offer;
}

namespace {

// A data block with its path in the same allocation; null when memory cannot be had.
PathObject* pathBlock(const char* path, std::size_t length) {
  std::size_t textBytes = embeddedTextBytes(length);
  if (textBytes == 0 || textBytes > 0x7fffffff - sizeof(PathObject)) return nullptr;
  auto* block = static_cast<PathObject*>(
      allocateBlock(static_cast<std::int32_t>(sizeof(PathObject) + textBytes)));
  if (block) embedText(&block->pathText, block + 1, path, length);
  return block;
}

}  // namespace

abi::word newObject() {
  abi::ValueRecord* self = host::getSelf();
  if (!self) return kNoResult;
  NewObjectPath* offer = NewObjectPath::take();
  PathObject* block = offer ? pathBlock(offer->text(), offer->length()) : nullptr;
  if (block) {
    offer->heldBy(block);
  } else {
    // No offer, or no memory for the whole of it: the path is "", as when memory runs out.
    block = pathBlock("", 0);
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
