// Simulated heaps and start-up services. Every block is a separate malloc, so AddressSanitizer
// sees overruns and uses after free; a block that HeapAlloc gives without kHeapZeroMemory is
// filled with 0xCD, so code that relies on fresh memory being zero fails in tests as it may on
// Windows. HeapReAlloc always moves the block (unless told to stay in place), so stale pointers
// are caught as well. Heaps outlive reset(): the code under test may still hold them.
#include <cstdlib>
#include <cstring>
#include <map>
#include <unordered_map>

#include "internal.h"
#include "../memory.h"
#include "../startup.h"

namespace platform {
namespace {

using sim::detail::failed;
using sim::detail::hex;
using sim::detail::num;

constexpr DWORD kHeapReallocInPlaceOnly = 0x00000010;  // HEAP_REALLOC_IN_PLACE_ONLY
constexpr unsigned char kFreshByte = 0xCD;

struct Heap {
  DWORD options = 0;
  std::size_t maximum = 0;  // 0: growable
  std::map<void*, std::size_t> blocks;  // by address, the order of a walk
  std::size_t inUse = 0;

  ~Heap() {
    for (auto& [block, size] : blocks) std::free(block);
  }
};

struct Heaps {
  std::unordered_map<void*, Heap*> byHandle;
  bool comInitialised = false;
};

// Never destroyed: blocks stay reachable at exit (heaps the code never destroyed are not leaks of
// the test program), and code that runs during static destruction may still free.
Heaps& heaps() {
  static Heaps* h = new Heaps;
  return *h;
}

void resetStartup() { heaps().comInitialised = false; }
[[maybe_unused]] const bool registered = (sim::registerReset(&resetStartup), true);

Heap* find(HANDLE handle) {
  auto& map = heaps().byHandle;
  auto it = map.find(handle);
  return it == map.end() ? nullptr : it->second;
}

void* newBlock(std::size_t bytes) {
  void* p = std::malloc(bytes == 0 ? 1 : bytes);
  return p;
}

}  // namespace

HANDLE HeapCreate(DWORD options, std::size_t initialSize, std::size_t maximumSize) {
  if (failed(sim::enter("HeapCreate", {num(options), num(initialSize), num(maximumSize)})))
    return nullptr;
  if (maximumSize != 0 && initialSize > maximumSize) {
    sim::detail::setLastError(kErrorInvalidParameter);
    return nullptr;
  }
  Heap* heap = new Heap;
  heap->options = options;
  heap->maximum = maximumSize;
  heaps().byHandle[heap] = heap;
  return heap;
}

void* HeapAlloc(HANDLE heap, DWORD flags, std::size_t bytes) {
  if (failed(sim::enter("HeapAlloc", {hex(heap), num(flags), num(bytes)}))) return nullptr;
  Heap* h = find(heap);
  if (!h) {
    sim::detail::setLastError(kErrorInvalidHandle);
    return nullptr;
  }
  if (h->maximum != 0 && (bytes > h->maximum || h->inUse + bytes > h->maximum)) {
    sim::detail::setLastError(kErrorNotEnoughMemory);
    return nullptr;
  }
  void* block = newBlock(bytes);
  if (!block) {
    sim::detail::setLastError(kErrorNotEnoughMemory);
    return nullptr;
  }
  if (bytes) std::memset(block, (flags & kHeapZeroMemory) ? 0 : kFreshByte, bytes);
  h->blocks[block] = bytes;
  h->inUse += bytes;
  return block;
}

void* HeapReAlloc(HANDLE heap, DWORD flags, void* block, std::size_t bytes) {
  if (failed(sim::enter("HeapReAlloc", {hex(heap), num(flags), hex(block), num(bytes)})))
    return nullptr;
  Heap* h = find(heap);
  if (!h) {
    sim::detail::setLastError(kErrorInvalidHandle);
    return nullptr;
  }
  auto it = h->blocks.find(block);
  if (it == h->blocks.end()) {
    sim::detail::setLastError(kErrorInvalidParameter);
    return nullptr;
  }
  std::size_t old = it->second;
  std::size_t othersInUse = h->inUse - old;
  if (h->maximum != 0 && (bytes > h->maximum || othersInUse + bytes > h->maximum)) {
    sim::detail::setLastError(kErrorNotEnoughMemory);
    return nullptr;
  }
  if (flags & kHeapReallocInPlaceOnly) {
    if (bytes > old) {
      sim::detail::setLastError(kErrorNotEnoughMemory);
      return nullptr;
    }
    it->second = bytes;
    h->inUse = othersInUse + bytes;
    return block;
  }
  void* moved = newBlock(bytes);
  if (!moved) {
    sim::detail::setLastError(kErrorNotEnoughMemory);
    return nullptr;
  }
  std::size_t kept = old < bytes ? old : bytes;
  if (kept) std::memcpy(moved, block, kept);
  if (bytes > kept)
    std::memset(static_cast<char*>(moved) + kept, (flags & kHeapZeroMemory) ? 0 : kFreshByte,
                bytes - kept);
  std::free(block);
  h->blocks.erase(it);
  h->blocks[moved] = bytes;
  h->inUse = othersInUse + bytes;
  return moved;
}

BOOL HeapFree(HANDLE heap, DWORD flags, void* block) {
  if (failed(sim::enter("HeapFree", {hex(heap), num(flags), hex(block)}))) return kFalse;
  if (!block) return kTrue;
  Heap* h = find(heap);
  if (!h) {
    sim::detail::setLastError(kErrorInvalidHandle);
    return kFalse;
  }
  auto it = h->blocks.find(block);
  if (it == h->blocks.end()) {  // not a block of this heap, or freed already
    sim::detail::setLastError(kErrorInvalidParameter);
    return kFalse;
  }
  h->inUse -= it->second;
  std::free(block);
  h->blocks.erase(it);
  return kTrue;
}

BOOL HeapDestroy(HANDLE heap) {
  if (failed(sim::enter("HeapDestroy", {hex(heap)}))) return kFalse;
  Heap* h = find(heap);
  if (!h) {
    sim::detail::setLastError(kErrorInvalidHandle);
    return kFalse;
  }
  heaps().byHandle.erase(heap);
  delete h;  // frees every block
  return kTrue;
}

BOOL HeapWalk(HANDLE heap, PROCESS_HEAP_ENTRY* entry) {
  if (failed(sim::enter("HeapWalk", {hex(heap), hex(entry)}))) return kFalse;
  Heap* h = find(heap);
  if (!h) {
    sim::detail::setLastError(kErrorInvalidHandle);
    return kFalse;
  }
  auto next = entry->lpData ? h->blocks.upper_bound(entry->lpData) : h->blocks.begin();
  if (next == h->blocks.end()) {
    sim::detail::setLastError(kErrorNoMoreItems);
    return kFalse;
  }
  *entry = PROCESS_HEAP_ENTRY{next->first, static_cast<DWORD>(next->second), 0, 0,
                              kProcessHeapEntryBusy, {}};
  return kTrue;
}

void InitCommonControls() { sim::enter("InitCommonControls"); }

HRESULT CoInitialize(void* reserved) {
  if (DWORD error = sim::enter("CoInitialize", {hex(reserved)})) {
    sim::detail::setLastError(error);
    // HRESULT_FROM_WIN32(error)
    return static_cast<HRESULT>(0x80070000u | (error & 0xFFFFu));
  }
  if (heaps().comInitialised) return 1;  // S_FALSE
  heaps().comInitialised = true;
  return 0;  // S_OK
}

}  // namespace platform
