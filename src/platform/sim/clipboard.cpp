// The simulated clipboard and global memory. Blocks are sized exactly, so the sanitizers catch a
// read or write past a block's end.
#include "../clipboard.h"

#include <cstring>
#include <map>
#include <set>

#include "internal.h"
#include "clipboard_control.h"
#include "sim.h"

namespace platform {
namespace {

struct GlobalBlock {
  char* bytes;
  std::size_t size;
  UINT flags;
  int locks;
  bool ownedByClipboard;
};

struct ClipboardState {
  std::set<GlobalBlock*> blocks;  // allocated and not yet freed
  std::map<UINT, GlobalBlock*> formats;
  bool open = false;
  bool heldElsewhere = false;
  // The clipboard's own blocks go with the process; blocks a caller leaked stay visible to the
  // leak checker.
  ~ClipboardState() {
    for (auto& [format, block] : formats) {
      delete[] block->bytes;
      delete block;
    }
  }
};

ClipboardState& state() {
  static ClipboardState s;
  return s;
}

GlobalBlock* known(HGLOBAL handle) {
  auto* block = static_cast<GlobalBlock*>(handle);
  return state().blocks.count(block) ? block : nullptr;
}

GlobalBlock* newBlock(UINT flags, std::size_t bytes) {
  auto* block = new GlobalBlock{new char[bytes], bytes, flags, 0, false};
  std::memset(block->bytes, 0xbd, bytes);  // Windows leaves a new block's bytes unspecified
  state().blocks.insert(block);
  return block;
}

void releaseBlock(GlobalBlock* block) {
  state().blocks.erase(block);
  delete[] block->bytes;
  delete block;
}

void dropFormats() {
  for (auto& [format, block] : state().formats) releaseBlock(block);
  state().formats.clear();
}

void resetClipboard() {
  dropFormats();
  state().open = false;
  state().heldElsewhere = false;
}

[[maybe_unused]] const bool registered = (sim::registerReset(&resetClipboard), true);

BOOL notOpen() {
  sim::detail::setLastError(kErrorClipboardNotOpen);
  return kFalse;
}

}  // namespace

BOOL OpenClipboard(HWND owner) {
  if (DWORD error = sim::enter("OpenClipboard", {sim::detail::hex(owner)})) {
    sim::detail::setLastError(error);
    return kFalse;
  }
  if (state().heldElsewhere) {
    sim::detail::setLastError(kErrorAccessDenied);
    return kFalse;
  }
  state().open = true;
  return kTrue;
}

BOOL CloseClipboard() {
  if (DWORD error = sim::enter("CloseClipboard")) {
    sim::detail::setLastError(error);
    return kFalse;
  }
  if (!state().open) return notOpen();
  state().open = false;
  return kTrue;
}

BOOL EmptyClipboard() {
  if (DWORD error = sim::enter("EmptyClipboard")) {
    sim::detail::setLastError(error);
    return kFalse;
  }
  if (!state().open) return notOpen();
  dropFormats();
  return kTrue;
}

HANDLE GetClipboardData(UINT format) {
  if (DWORD error = sim::enter("GetClipboardData", {sim::detail::num(format)})) {
    sim::detail::setLastError(error);
    return nullptr;
  }
  if (!state().open) {
    notOpen();
    return nullptr;
  }
  auto it = state().formats.find(format);
  return it == state().formats.end() ? nullptr : it->second;
}

HANDLE SetClipboardData(UINT format, HANDLE handle) {
  if (DWORD error =
          sim::enter("SetClipboardData", {sim::detail::num(format), sim::detail::hex(handle)})) {
    sim::detail::setLastError(error);
    return nullptr;
  }
  if (!state().open) {
    notOpen();
    return nullptr;
  }
  GlobalBlock* block = known(handle);
  if (!block || block->ownedByClipboard) {
    sim::detail::setLastError(kErrorInvalidHandle);
    return nullptr;
  }
  auto it = state().formats.find(format);
  if (it != state().formats.end()) releaseBlock(it->second);
  block->ownedByClipboard = true;
  state().formats[format] = block;
  return handle;
}

HGLOBAL GlobalAlloc(UINT flags, std::size_t bytes) {
  if (DWORD error = sim::enter("GlobalAlloc", {sim::detail::num(flags), sim::detail::num(bytes)})) {
    sim::detail::setLastError(error);
    return nullptr;
  }
  return newBlock(flags, bytes);
}

void* GlobalLock(HGLOBAL handle) {
  if (DWORD error = sim::enter("GlobalLock", {sim::detail::hex(handle)})) {
    sim::detail::setLastError(error);
    return nullptr;
  }
  GlobalBlock* block = known(handle);
  if (!block) {
    sim::detail::setLastError(kErrorInvalidHandle);
    return nullptr;
  }
  if (block->size == 0 && (block->flags & kGmemMoveable)) {
    sim::detail::setLastError(kErrorDiscarded);
    return nullptr;
  }
  ++block->locks;
  return block->bytes;
}

BOOL GlobalUnlock(HGLOBAL handle) {
  if (DWORD error = sim::enter("GlobalUnlock", {sim::detail::hex(handle)})) {
    sim::detail::setLastError(error);
    return kFalse;
  }
  GlobalBlock* block = known(handle);
  if (!block) {
    sim::detail::setLastError(kErrorInvalidHandle);
    return kFalse;
  }
  if (block->locks == 0) {
    sim::detail::setLastError(kErrorNotLocked);
    return kFalse;
  }
  if (--block->locks > 0) return kTrue;
  sim::detail::setLastError(kErrorSuccess);
  return kFalse;
}

std::size_t GlobalSize(HGLOBAL handle) {
  if (DWORD error = sim::enter("GlobalSize", {sim::detail::hex(handle)})) {
    sim::detail::setLastError(error);
    return 0;
  }
  GlobalBlock* block = known(handle);
  if (!block) {
    sim::detail::setLastError(kErrorInvalidHandle);
    return 0;
  }
  return block->size;
}

HGLOBAL GlobalFree(HGLOBAL handle) {
  if (DWORD error = sim::enter("GlobalFree", {sim::detail::hex(handle)})) {
    sim::detail::setLastError(error);
    return handle;
  }
  GlobalBlock* block = known(handle);
  // A block the clipboard owns is not the caller's to free.
  if (!block || block->ownedByClipboard) {
    sim::detail::setLastError(kErrorInvalidHandle);
    return handle;
  }
  releaseBlock(block);
  return nullptr;
}

namespace sim {

void holdClipboard(bool heldByAnotherProgram) {
  state().heldElsewhere = heldByAnotherProgram;
}

void placeClipboardData(UINT format, const std::string& bytes) {
  dropFormats();
  GlobalBlock* block = newBlock(kGmemMoveable | kGmemDdeShare, bytes.size());
  std::memcpy(block->bytes, bytes.data(), bytes.size());
  block->ownedByClipboard = true;
  state().formats[format] = block;
}

std::optional<std::string> clipboardData(UINT format) {
  auto it = state().formats.find(format);
  if (it == state().formats.end()) return std::nullopt;
  return std::string(it->second->bytes, it->second->size);
}

std::vector<UINT> clipboardFormats() {
  std::vector<UINT> formats;
  for (const auto& entry : state().formats) formats.push_back(entry.first);
  return formats;
}

bool clipboardOpen() {
  return state().open;
}

int liveGlobalBlocks() {
  int count = 0;
  for (GlobalBlock* block : state().blocks)
    if (!block->ownedByClipboard) ++count;
  return count;
}

}  // namespace sim
}  // namespace platform
