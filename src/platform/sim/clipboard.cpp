// The simulated clipboard and global memory. Blocks are sized exactly, so the sanitizers catch a
// read or write past a block's end.
#include "../clipboard.h"

#include <cstring>
#include <map>

#include "core.h"

namespace platform {
namespace {

using sim::detail::fail;
using sim::detail::recordCall;

constexpr const char* kGlobal = "global memory";

struct GlobalBlock {
  std::vector<char> bytes;
  UINT flags;
  int locks = 0;
};

struct Clipboard {
  std::map<UINT, std::pair<HANDLE, std::shared_ptr<GlobalBlock>>> formats;  // its own blocks
  bool open = false;
  bool heldElsewhere = false;
};

sim::detail::AreaState<Clipboard> clipboard;

// A block the caller holds, or one the clipboard took.
GlobalBlock* block(HGLOBAL handle) {
  if (auto held = sim::detail::handleData<GlobalBlock>(handle, kGlobal)) return held.get();
  for (auto& [format, placed] : clipboard->formats)
    if (placed.first == handle) return placed.second.get();
  return nullptr;
}

}  // namespace

BOOL OpenClipboard(HWND owner) {
  if (DWORD fault = recordCall("OpenClipboard", owner)) return fail(fault, kFalse);
  if (clipboard->heldElsewhere) return fail(kErrorAccessDenied, kFalse);
  clipboard->open = true;
  return kTrue;
}

BOOL CloseClipboard() {
  if (DWORD fault = recordCall("CloseClipboard")) return fail(fault, kFalse);
  if (!clipboard->open) return fail(kErrorClipboardNotOpen, kFalse);
  clipboard->open = false;
  return kTrue;
}

BOOL EmptyClipboard() {
  if (DWORD fault = recordCall("EmptyClipboard")) return fail(fault, kFalse);
  if (!clipboard->open) return fail(kErrorClipboardNotOpen, kFalse);
  clipboard->formats.clear();
  return kTrue;
}

HANDLE GetClipboardData(UINT format) {
  if (DWORD fault = recordCall("GetClipboardData", format)) return fail(fault, HANDLE{nullptr});
  if (!clipboard->open) return fail(kErrorClipboardNotOpen, HANDLE{nullptr});
  auto it = clipboard->formats.find(format);
  return it == clipboard->formats.end() ? nullptr : it->second.first;
}

HANDLE SetClipboardData(UINT format, HANDLE handle) {
  if (DWORD fault = recordCall("SetClipboardData", format, handle))
    return fail(fault, HANDLE{nullptr});
  if (!clipboard->open) return fail(kErrorClipboardNotOpen, HANDLE{nullptr});
  auto held = sim::detail::handleData<GlobalBlock>(handle, kGlobal);
  if (!held) return fail(kErrorInvalidHandle, HANDLE{nullptr});
  sim::detail::closeHandle(handle, kGlobal);  // the clipboard's now
  clipboard->formats[format] = {handle, held};
  return handle;
}

HGLOBAL GlobalAlloc(UINT flags, std::size_t bytes) {
  if (DWORD fault = recordCall("GlobalAlloc", flags, bytes)) return fail(fault, HGLOBAL{nullptr});
  // Windows leaves a new block's bytes unspecified.
  auto fresh = std::make_shared<GlobalBlock>(GlobalBlock{std::vector<char>(bytes, '\xbd'), flags});
  return sim::detail::openHandle(kGlobal, fresh);
}

void* GlobalLock(HGLOBAL handle) {
  if (DWORD fault = recordCall("GlobalLock", handle)) return fail(fault, nullptr);
  GlobalBlock* b = block(handle);
  if (!b) return fail(kErrorInvalidHandle, nullptr);
  if (b->bytes.empty() && (b->flags & kGmemMoveable)) return fail(kErrorDiscarded, nullptr);
  ++b->locks;
  return b->bytes.data();
}

BOOL GlobalUnlock(HGLOBAL handle) {
  if (DWORD fault = recordCall("GlobalUnlock", handle)) return fail(fault, kFalse);
  GlobalBlock* b = block(handle);
  if (!b) return fail(kErrorInvalidHandle, kFalse);
  if (b->locks == 0) return fail(kErrorNotLocked, kFalse);
  return --b->locks > 0 ? kTrue : fail(kErrorSuccess, kFalse);
}

std::size_t GlobalSize(HGLOBAL handle) {
  if (DWORD fault = recordCall("GlobalSize", handle)) return fail(fault, std::size_t{0});
  GlobalBlock* b = block(handle);
  return b ? b->bytes.size() : fail(kErrorInvalidHandle, std::size_t{0});
}

HGLOBAL GlobalFree(HGLOBAL handle) {
  if (DWORD fault = recordCall("GlobalFree", handle)) return fail(fault, handle);
  // A block the clipboard took is not the caller's to free.
  if (!sim::detail::closeHandle(handle, kGlobal)) return fail(kErrorInvalidHandle, handle);
  return nullptr;
}

namespace sim {

void holdClipboard(bool heldByAnotherProgram) {
  clipboard->heldElsewhere = heldByAnotherProgram;
}

void placeClipboardData(UINT format, const std::string& bytes) {
  auto placed = std::make_shared<GlobalBlock>(
      GlobalBlock{std::vector<char>(bytes.begin(), bytes.end()), kGmemMoveable | kGmemDdeShare});
  clipboard->formats.clear();
  clipboard->formats[format] = {detail::freshHandle(), placed};
}

std::optional<std::string> clipboardData(UINT format) {
  auto it = clipboard->formats.find(format);
  if (it == clipboard->formats.end()) return std::nullopt;
  const std::vector<char>& bytes = it->second.second->bytes;
  return std::string(bytes.begin(), bytes.end());
}

std::vector<UINT> clipboardFormats() {
  std::vector<UINT> formats;
  for (const auto& entry : clipboard->formats) formats.push_back(entry.first);
  return formats;
}

bool clipboardOpen() {
  return clipboard->open;
}

}  // namespace sim
}  // namespace platform
