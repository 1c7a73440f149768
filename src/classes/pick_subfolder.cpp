// The numbered listing of a folder's subfolders, from which the user picks one by number.
#include "directory_scan.h"
#include "plugin/calls.h"
#include "plugin/host.h"
#include "plugin/memory.h"

namespace zorvel {
namespace {

// The names shown, in listing order, in library text variables; freed with the list.
class PickList {
 public:
  PickList() = default;
  PickList(const PickList&) = delete;
  PickList& operator=(const PickList&) = delete;
  ~PickList() {
    for (std::int32_t i = 0; i < count_; ++i) releaseText(&names_[i]);
    moduleFree(names_);
  }

  std::int32_t count() const { return count_; }
  // The k-th name, counted from 1.
  const char* name(std::int32_t k) const { return names_[k - 1] ? names_[k - 1] : ""; }

  // False when memory cannot be had; the entry is then neither listed nor pickable.
  bool append(const char* name) {
    if (count_ == capacity_ && !grow()) return false;
    names_[count_] = nullptr;
    assignText(name, &names_[count_]);
    if (!names_[count_]) return false;
    ++count_;
    return true;
  }

 private:
  bool grow() {
    std::int32_t capacity = capacity_ ? capacity_ * 2 : 16;
    auto* names = static_cast<char**>(moduleAlloc(sizeof(char*) * capacity));
    if (!names) return false;
    for (std::int32_t i = 0; i < count_; ++i) names[i] = names_[i];
    moduleFree(names_);
    names_ = names;
    capacity_ = capacity;
    return true;
  }

  char** names_ = nullptr;
  std::int32_t count_ = 0;
  std::int32_t capacity_ = 0;
};

}  // namespace

void numberField(std::int32_t n, TextVar& out) {
  TextVar digits;
  decimalText(n, digits);
  rightAlign(digits.c_str(), 2, out);
}

std::int32_t askPick(std::int32_t listed) {
  std::int32_t k = askNumber();
  return k >= 1 && k <= listed ? k : 0;
}

void pickSubfolder(const char* folder, TextVar& out) {
  PickList picks;
  DirectoryScan* scan = openDirectoryScan(folder, "*.*");
  TextVar line;
  TextVar number;
  while (nextDirectoryEntry(scan)) {
    if (directoryEntryType(scan) != kFolderEntry) continue;
    const char* name = directoryEntryName(scan);
    if (sameText(name, ".")) continue;
    if (!picks.append(name)) continue;
    numberField(picks.count(), number);
    line.assign("$cyan$").append(number).append(" $gray$-$n$ ").append(name);
    host::printLine(line.c_str());
  }
  closeDirectoryScan(scan);
  std::int32_t k = askPick(picks.count());
  out.assign(k ? picks.name(k) : "");
}

}  // namespace zorvel
