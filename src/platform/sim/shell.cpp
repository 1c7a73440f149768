// The simulated shell: special folders resolve through a table, item lists live in shell memory.
#include "../shell.h"

#include <cstring>
#include <map>

#include "core.h"

namespace platform {
namespace {

constexpr const char* kShellMemory = "shell memory";

struct ItemList {
  std::string path;  // "" for an item without a file-system path
};

// CSIDL -> path.
sim::detail::AreaState<std::map<int, std::string>> folders({{0x00, ""},  // the desktop's root
                                                            {0x05, "C:\\Users\\quenda\\Documents"},
                                                            {0x10, "C:\\Users\\quenda\\Desktop"},
                                                            {0x11, ""},  // the computer
                                                            {0x26, "C:\\Program Files"},
                                                            {0x28, "C:\\Users\\quenda"}});

}  // namespace

ITEMIDLIST* sim::detail::makeItemList(const std::string& path) {
  auto list = std::make_shared<ItemList>(ItemList{path});
  return openHandle(kShellMemory, list, list.get(), path);
}

HRESULT SHGetSpecialFolderLocation(HWND owner, int csidl, ITEMIDLIST** list) {
  *list = nullptr;
  if (DWORD fault = sim::detail::recordCall("SHGetSpecialFolderLocation", owner, csidl))
    return static_cast<HRESULT>(0x80070000u | (fault & 0xffff));  // HRESULT_FROM_WIN32
  auto it = folders->find(csidl);
  if (it == folders->end()) return kEInvalidArg;
  *list = sim::detail::makeItemList(it->second);
  return kSOk;
}

BOOL SHGetPathFromIDListA(const ITEMIDLIST* list, char* path) {
  DWORD fault = sim::detail::recordCall("SHGetPathFromIDListA", list);
  auto item = sim::detail::handleData<ItemList>(const_cast<ITEMIDLIST*>(list), kShellMemory);
  if (fault || !item || item->path.empty() || item->path.size() >= kMaxPath) {
    path[0] = 0;
    return kFalse;
  }
  std::memcpy(path, item->path.c_str(), item->path.size() + 1);
  return kTrue;
}

void CoTaskMemFree(void* block) {
  sim::detail::recordCall("CoTaskMemFree", block);
  sim::detail::closeHandle(block, kShellMemory);
}

namespace sim {
void setSpecialFolder(int csidl, const std::string& path) {
  (*folders)[csidl] = path;
}
}  // namespace sim

}  // namespace platform
