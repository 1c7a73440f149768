// The numbered listing: a folder's entries printed one per line behind a number, from which the
// user picks one by that number. folder.down and dir.down list subfolders (pickSubfolder);
// dir.sel lists every entry.
#pragma once

#include <cstddef>
#include <cstdint>

#include "plugin/text.h"

namespace zorvel {

class NumberedListing {
 public:
  enum Shown { kSubfolders, kEveryEntry };

  // Scans `folder` and prints a numbered line for each entry but ".": its subfolders only, or
  // every entry with the folders' names in brackets. Numbers run from 1 without gaps. An entry
  // that can't be kept (no memory) ends the listing, so every number shown can be picked.
  NumberedListing(const char* folder, Shown shown);
  ~NumberedListing();
  NumberedListing(const NumberedListing&) = delete;
  NumberedListing& operator=(const NumberedListing&) = delete;

  std::int32_t count() const { return count_; }
  // Asks for the pick ("id"): the number of the chosen entry, or 0 for nothing chosen and for
  // any answer outside 1..count().
  std::int32_t ask() const;
  // Entry k (1..count()): its name, without path, and whether it is a folder.
  const char* name(std::int32_t k) const;
  bool isFolder(std::int32_t k) const;

 private:
  struct Entry {
    bool folder;
    std::size_t nameOffset;  // into names_
  };
  bool add(bool folder, const char* name);
  void print(bool folder, const char* name) const;

  Shown shown_;
  Entry* entries_ = nullptr;
  std::size_t entryCapacity_ = 0;  // bytes
  char* names_ = nullptr;          // the names, one after another, each with its NUL
  std::size_t nameCapacity_ = 0;
  std::size_t namesUsed_ = 0;
  std::int32_t count_ = 0;
};

// Lists the subfolders of `folder` (".." included, so the parent can be picked), asks for the
// pick and stores the chosen subfolder's name in `out` (no path, no closing backslash), or "".
void pickSubfolder(const char* folder, TextVar& out);

}  // namespace zorvel
