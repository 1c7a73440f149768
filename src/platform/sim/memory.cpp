// Simulated heaps. Every block is a separate malloc, so AddressSanitizer sees overruns and uses
// after free; a block that HeapAlloc gives without kHeapZeroMemory is filled with 0xCD, so code
// that relies on fresh memory being zero fails in tests as it may on Windows; HeapReAlloc always
// moves the block, so stale pointers are caught as well. Heaps outlive reset(): the code under
// test may still hold them.
#include "../memory.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <map>

#include "core.h"

namespace platform {
namespace {

using sim::detail::fail;
using sim::detail::recordCall;

constexpr unsigned char kFreshByte = 0xCD;

struct Heap {
  std::map<void*, std::size_t> blocks;  // by address, the order of a walk
  ~Heap() {
    for (auto& [block, size] : blocks) std::free(block);
  }
};

// Never destroyed: blocks stay reachable at exit (heaps the code never destroyed are not leaks of
// the test program), and code that runs during static destruction may still free.
std::map<HANDLE, Heap*>& heaps() {
  static auto* h = new std::map<HANDLE, Heap*>;
  return *h;
}

Heap* find(HANDLE handle) {
  auto it = heaps().find(handle);
  return it == heaps().end() ? nullptr : it->second;
}

// A new block of `bytes` bytes in `heap`, its first `kept` bytes from `from`, the rest filled.
void* newBlock(Heap& heap, DWORD flags, std::size_t bytes, const void* from, std::size_t kept) {
  void* block = std::malloc(bytes == 0 ? 1 : bytes);
  if (!block) return nullptr;
  if (kept) std::memcpy(block, from, kept);
  if (bytes > kept)
    std::memset(static_cast<char*>(block) + kept, (flags & kHeapZeroMemory) ? 0 : kFreshByte,
                bytes - kept);
  heap.blocks[block] = bytes;
  return block;
}

}  // namespace

HANDLE HeapCreate(DWORD options, std::size_t initialSize, std::size_t maximumSize) {
  if (DWORD fault = recordCall("HeapCreate", options, initialSize, maximumSize))
    return fail(fault, HANDLE{nullptr});
  Heap* heap = new Heap;
  heaps()[heap] = heap;
  return heap;
}

void* HeapAlloc(HANDLE heap, DWORD flags, std::size_t bytes) {
  if (DWORD fault = recordCall("HeapAlloc", heap, flags, bytes)) return fail(fault, nullptr);
  Heap* h = find(heap);
  if (!h) return fail(kErrorInvalidHandle, nullptr);
  void* block = newBlock(*h, flags, bytes, nullptr, 0);
  return block ? block : fail(kErrorNotEnoughMemory, nullptr);
}

void* HeapReAlloc(HANDLE heap, DWORD flags, void* block, std::size_t bytes) {
  if (DWORD fault = recordCall("HeapReAlloc", heap, flags, block, bytes))
    return fail(fault, nullptr);
  Heap* h = find(heap);
  if (!h) return fail(kErrorInvalidHandle, nullptr);
  auto it = h->blocks.find(block);
  if (it == h->blocks.end()) return fail(kErrorInvalidParameter, nullptr);
  void* moved = newBlock(*h, flags, bytes, block, std::min(it->second, bytes));
  if (!moved) return fail(kErrorNotEnoughMemory, nullptr);
  h->blocks.erase(block);
  std::free(block);
  return moved;
}

BOOL HeapFree(HANDLE heap, DWORD flags, void* block) {
  if (DWORD fault = recordCall("HeapFree", heap, flags, block)) return fail(fault, kFalse);
  if (!block) return kTrue;
  Heap* h = find(heap);
  if (!h) return fail(kErrorInvalidHandle, kFalse);
  // Not a block of this heap, or freed already.
  if (h->blocks.erase(block) == 0) return fail(kErrorInvalidParameter, kFalse);
  std::free(block);
  return kTrue;
}

BOOL HeapDestroy(HANDLE heap) {
  if (DWORD fault = recordCall("HeapDestroy", heap)) return fail(fault, kFalse);
  Heap* h = find(heap);
  if (!h) return fail(kErrorInvalidHandle, kFalse);
  heaps().erase(heap);
  delete h;  // frees every block
  return kTrue;
}

BOOL HeapWalk(HANDLE heap, PROCESS_HEAP_ENTRY* entry) {
  if (DWORD fault = recordCall("HeapWalk", heap, entry)) return fail(fault, kFalse);
  Heap* h = find(heap);
  if (!h) return fail(kErrorInvalidHandle, kFalse);
  auto next = entry->lpData ? h->blocks.upper_bound(entry->lpData) : h->blocks.begin();
  if (next == h->blocks.end()) return fail(kErrorNoMoreItems, kFalse);
  *entry = PROCESS_HEAP_ENTRY{
      next->first, static_cast<DWORD>(next->second), 0, 0, kProcessHeapEntryBusy, {}};
  return kTrue;
}

}  // namespace platform
