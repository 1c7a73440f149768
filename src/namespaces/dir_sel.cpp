// dir.sel: a numbered listing of every entry of the current directory, and the pick.
#include <cstring>

#include "classes/directory_scan.h"
#include "classes/objects.h"
#include "current_directory.h"
#include "platform/files.h"
#include "plugin/calls.h"
#include "plugin/memory.h"
#include "plugin/routines.h"

namespace zorvel {
namespace {

struct ListedEntry {
  std::int32_t entryKind;  // kFileEntry or kFolderEntry
  std::size_t nameOffset;  // into the list's name storage
};

// The pick list of one call: entries in listing order, their names packed one after another.
class ListedEntries {
 public:
  ListedEntries() = default;
  ListedEntries(const ListedEntries&) = delete;
  ListedEntries& operator=(const ListedEntries&) = delete;
  ~ListedEntries() {
    moduleFree(entries_);
    moduleFree(names_);
  }

  std::int32_t count() const { return count_; }
  std::int32_t kind(std::int32_t index) const { return entries_[index].entryKind; }
  const char* name(std::int32_t index) const { return names_ + entries_[index].nameOffset; }

  // False, with the list unchanged, when memory can't be had.
  bool append(std::int32_t kind, const char* name) {
    std::size_t length = std::strlen(name) + 1;
    if (!reserve(reinterpret_cast<void**>(&entries_), entryCapacity_,
                 (static_cast<std::size_t>(count_) + 1) * sizeof(ListedEntry)) ||
        !reserve(reinterpret_cast<void**>(&names_), nameCapacity_, namesUsed_ + length))
      return false;
    std::memcpy(names_ + namesUsed_, name, length);
    entries_[count_++] = ListedEntry{kind, namesUsed_};
    namesUsed_ += length;
    return true;
  }

 private:
  // Grows a block to hold at least `needed` bytes, doubling, keeping its contents.
  static bool reserve(void** block, std::size_t& capacity, std::size_t needed) {
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

  ListedEntry* entries_ = nullptr;
  std::size_t entryCapacity_ = 0;
  char* names_ = nullptr;
  std::size_t nameCapacity_ = 0;
  std::size_t namesUsed_ = 0;
  std::int32_t count_ = 0;
};

// Lists the entries of `folder` ("." left out) and prints one numbered line for each.
void listEntries(const char* folder, ListedEntries& list) {
  DirectoryScan* scan = openDirectoryScan(folder, "*.*");
  TextVar line, number;
  while (nextDirectoryEntry(scan)) {
    const char* name = directoryEntryName(scan);
    if (sameText(name, ".")) continue;
    std::int32_t kind = directoryEntryType(scan);
    // Only entries that can be picked are shown.
    if (!list.append(kind, name)) break;
    numberField(list.count(), number);
    line.assign("$cyan$").append(number);
    if (kind == kFolderEntry)
      line.append(" $gray$-$n$ [").append(name).append("]");
    else
      line.append(" $gray$-$n$ ").append(name);
    host::printLine(line.c_str());
  }
  closeDirectoryScan(scan);
}

}  // namespace

ZV_ROUTINE(dirSel) {
  // Picked names belong to the directory that was listed, whatever the answer does meanwhile.
  TextVar listed;
  currentDirectoryPath(listed);
  ListedEntries list;
  listEntries(listed.c_str(), list);
  std::int32_t k = askPick(list.count());
  if (k < 1 || k > list.count()) return kNoResult;

  TextVar path;
  const char* name = list.name(k - 1);
  path.assign(listed.c_str(), listed.size()).append(name);
  if (path.size() != listed.size() + textLength(name)) return kNoResult;  // no memory
  if (list.kind(k - 1) != kFolderEntry) return host::asWord(makeFileObject(path.c_str()));
  platform::SetCurrentDirectoryA(path.c_str());
  TextVar after;
  currentDirectoryPath(after);
  return host::asWord(makeFolderObject(after.c_str()));
}

}  // namespace zorvel
