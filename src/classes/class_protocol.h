// The class protocol that file and folder objects share: the host creates, initialises,
// assigns, formats and destroys an object through these members. Each class's routines call
// them with its own class handle.
#pragma once

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
// call; _new takes it. A listing of thousands of entries then makes each path text once, not
// twice.
class NewObjectPath {
 public:
  explicit NewObjectPath(const char* path);
  ~NewObjectPath();
  NewObjectPath(const NewObjectPath&) = delete;
  NewObjectPath& operator=(const NewObjectPath&) = delete;

  // The path on offer, or "" when there is none; an offer is taken once.
  static const char* take();

 private:
  static const char* offered_;
};

}  // namespace zorvel::protocol
