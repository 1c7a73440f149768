// The class protocol that file and folder objects share: the host creates, initialises,
// assigns, formats and destroys an object through these members. Each class's routines call
// them with its own class handle.
#pragma once

#include <cstddef>

#include "plugin/abi.h"

namespace zorvel::protocol {

// Gives the new object its data block, with the path offered by a NewObjectPath, or "".
abi::word newObject();
abi::word defineObject();
abi::word deleteObject();
abi::word formObject();
// Takes a text, or the path of an object of `ownClass`; ignores anything else.
abi::word setObject(abi::word ownClass);
abi::word fSetObject();

// The path that the object being made takes in its _new, in place of "". A routine that asks the
// host for an object and sets its path at once offers the path for the length of that one host
// call; _new takes it, and makes it part of the object's data block. A listing of thousands of
// entries then makes each object with one allocation, and copies each path once.
class NewObjectPath {
 public:
  NewObjectPath(const char* path, std::size_t length);
  ~NewObjectPath();
  NewObjectPath(const NewObjectPath&) = delete;
  NewObjectPath& operator=(const NewObjectPath&) = delete;

  // The offer a _new running now may take, once; null when there is none.
  static NewObjectPath* take();
  const char* text() const { return text_; }
  std::size_t length() const { return length_; }
  // The data block that took the whole path, or null: set by the _new that took it.
  const void* holder() const { return holder_; }
  void heldBy(const void* block) { holder_ = block; }

 private:
  const char* text_;
  std::size_t length_;
  const void* holder_ = nullptr;
  static NewObjectPath* current_;
};

}  // namespace zorvel::protocol
