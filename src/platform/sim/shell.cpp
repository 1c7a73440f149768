// The simulated shell: special folders resolve through a table, item lists live in shell memory.
#include "../shell.h"

#include <cstring>
#include <map>
#include <set>

#include "internal.h"
#include "shell_control.h"
#include "sim.h"

namespace platform {
namespace {

constexpr std::uint32_t kItemListMagic = 0x4c444950;

struct SimItemList {
  std::uint32_t magic;
  bool hasFileSystemPath;
  std::size_t length;
  char path[1];  // `length` characters and a NUL
};

struct ShellState {
  std::map<int, std::string> folders;  // CSIDL -> path ("" for none in the file system)
  std::set<void*> blocks;              // shell memory not yet released
};

std::map<int, std::string> defaultFolders() {
  return {{0x00, ""},  // the desktop's namespace root
          {0x05, "C:\\Users\\quenda\\Documents"},
          {0x10, "C:\\Users\\quenda\\Desktop"},
          {0x11, ""},  // the computer
          {0x26, "C:\\Program Files"},
          {0x28, "C:\\Users\\quenda"}};
}

ShellState& state() {
  static ShellState s{defaultFolders(), {}};
  return s;
}

void resetShell() {
  state().folders = defaultFolders();
}

[[maybe_unused]] const bool registered = (sim::registerReset(&resetShell), true);

const SimItemList* itemList(const ITEMIDLIST* list) {
  auto* item = static_cast<const SimItemList*>(list);
  if (!state().blocks.count(const_cast<void*>(list))) return nullptr;
  return item->magic == kItemListMagic ? item : nullptr;
}

}  // namespace

HRESULT SHGetSpecialFolderLocation(HWND owner, int csidl, ITEMIDLIST** list) {
  *list = nullptr;
  if (DWORD error = sim::enter("SHGetSpecialFolderLocation",
                               {sim::detail::hex(owner), sim::detail::snum(csidl)}))
    return static_cast<HRESULT>(0x80070000u | (error & 0xffff));
  auto it = state().folders.find(csidl);
  if (it == state().folders.end()) return kEInvalidArg;
  *list = sim::makeItemList(it->second, !it->second.empty());
  return kSOk;
}

BOOL SHGetPathFromIDListA(const ITEMIDLIST* list, char* path) {
  DWORD error = sim::enter("SHGetPathFromIDListA", {sim::detail::hex(list)});
  const SimItemList* item = itemList(list);
  if (error || !item || !item->hasFileSystemPath || item->length >= kMaxPath) {
    path[0] = 0;
    return kFalse;
  }
  std::memcpy(path, item->path, item->length + 1);
  return kTrue;
}

void CoTaskMemFree(void* block) {
  sim::enter("CoTaskMemFree", {sim::detail::hex(block)});
  if (!block || state().blocks.erase(block) == 0) return;
  ::operator delete(block);
}

namespace sim {

void setSpecialFolder(int csidl, const std::string& path) {
  state().folders[csidl] = path;
}

void removeSpecialFolder(int csidl) {
  state().folders.erase(csidl);
}

void* coTaskMemAlloc(std::size_t bytes) {
  void* block = ::operator new(bytes);
  state().blocks.insert(block);
  return block;
}

ITEMIDLIST* makeItemList(const std::string& path, bool hasFileSystemPath) {
  auto* item = static_cast<SimItemList*>(coTaskMemAlloc(sizeof(SimItemList) + path.size()));
  item->magic = kItemListMagic;
  item->hasFileSystemPath = hasFileSystemPath;
  item->length = path.size();
  std::memcpy(item->path, path.c_str(), path.size() + 1);
  return item;
}

int liveCoTaskBlocks() {
  return static_cast<int>(state().blocks.size());
}

}  // namespace sim
}  // namespace platform
