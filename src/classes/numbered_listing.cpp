#include "numbered_listing.h"

#include <cstring>

#include "directory_scan.h"
#include "plugin/calls.h"
#include "plugin/host.h"
#include "plugin/memory.h"

namespace zorvel {
namespace {

// Grows a block to hold at least `needed` bytes, doubling, keeping its contents. False, with the
// block as it was, when memory can't be had.
bool reserve(void** block, std::size_t& capacity, std::size_t needed) {
  if (needed <= capacity) return true;
  std::size_t grown = capacity ? capacity : 1024;
  while (grown < needed) grown *= 2;
  void* fresh = moduleAlloc(grown);
  if (!fresh) return false;
  if (*block) std::memcpy(fresh, *block, capacity);
  moduleFree(*block);
  *block = fresh;
  capacity = grown;
  return true;
}

}  // namespace

NumberedListing::NumberedListing(const char* folder, Shown shown) : shown_(shown) {
  DirectoryScan* scan = openDirectoryScan(folder, "*.*");
  while (nextDirectoryEntry(scan)) {
    bool isFolder = directoryEntryType(scan) == kFolderEntry;
    const char* name = directoryEntryName(scan);
    if (sameText(name, ".") || (shown == kSubfolders && !isFolder)) continue;
    if (!add(isFolder, name)) break;
  }
  closeDirectoryScan(scan);
}

NumberedListing::~NumberedListing() {
  moduleFree(entries_);
  moduleFree(names_);
}

bool NumberedListing::add(bool folder, const char* name) {
  std::size_t length = std::strlen(name) + 1;
  if (!reserve(reinterpret_cast<void**>(&entries_), entryCapacity_,
               (static_cast<std::size_t>(count_) + 1) * sizeof(Entry)) ||
      !reserve(reinterpret_cast<void**>(&names_), nameCapacity_, namesUsed_ + length))
    return false;
  std::memcpy(names_ + namesUsed_, name, length);
  entries_[count_++] = Entry{folder, namesUsed_};
  namesUsed_ += length;
  print(folder, name);
  return true;
}

// "$cyan$", the number right-aligned in two characters (100 shows as 10), " $gray$-$n$ ", and the
// name, in brackets for a folder of a listing of every entry.
void NumberedListing::print(bool folder, const char* name) const {
  TextVar number;
  TextVar field;
  decimalText(count_, number);
  rightAlign(number.c_str(), 2, field);
  TextVar line("$cyan$");
  line.append(field).append(" $gray$-$n$ ");
  if (folder && shown_ == kEveryEntry)
    line.append("[").append(name).append("]");
  else
    line.append(name);
  host::printLine(line.c_str());
}

std::int32_t NumberedListing::ask() const {
  std::int32_t k = askNumber();
  return k >= 1 && k <= count_ ? k : 0;
}

const char* NumberedListing::name(std::int32_t k) const {
  return names_ + entries_[k - 1].nameOffset;
}

bool NumberedListing::isFolder(std::int32_t k) const {
  return entries_[k - 1].folder;
}

void pickSubfolder(const char* folder, TextVar& out) {
  NumberedListing listing(folder, NumberedListing::kSubfolders);
  std::int32_t k = listing.ask();
  out.assign(k ? listing.name(k) : "");
}

}  // namespace zorvel
