// Heaps: the library's private memory.
#pragma once

#include "types.h"

namespace platform {

constexpr DWORD kHeapNoSerialize = 0x00000001;  // HEAP_NO_SERIALIZE
constexpr DWORD kHeapZeroMemory = 0x00000008;   // HEAP_ZERO_MEMORY
constexpr WORD kProcessHeapEntryBusy = 0x0004;  // PROCESS_HEAP_ENTRY_BUSY
constexpr DWORD kErrorNoMoreItems = 259;        // ERROR_NO_MORE_ITEMS

// HeapCreate(options, initialSize, maximumSize): a new growable heap when maximumSize is 0.
// Returns the heap, or null with kErrorNotEnoughMemory.
HANDLE HeapCreate(DWORD options, std::size_t initialSize, std::size_t maximumSize);
// HeapAlloc(heap, flags, bytes): a block of at least `bytes` bytes, zero-filled with
// kHeapZeroMemory; null on failure. A request for 0 bytes gives a valid, distinct block.
void* HeapAlloc(HANDLE heap, DWORD flags, std::size_t bytes);
// HeapReAlloc(heap, flags, block, bytes): the block moved or resized, contents kept up to the
// smaller size, a grown part zero-filled with kHeapZeroMemory; null on failure, and then the old
// block is still valid and unchanged.
void* HeapReAlloc(HANDLE heap, DWORD flags, void* block, std::size_t bytes);
// HeapFree(heap, flags, block): TRUE; freeing null is TRUE and does nothing.
BOOL HeapFree(HANDLE heap, DWORD flags, void* block);
// HeapDestroy(heap): releases the heap and every block in it; TRUE on success.
BOOL HeapDestroy(HANDLE heap);

// One entry of a heap walk, in the layout of PROCESS_HEAP_ENTRY.
struct PROCESS_HEAP_ENTRY {
  void* lpData;
  DWORD cbData;
  unsigned char cbOverhead;
  unsigned char iRegionIndex;
  WORD wFlags;
  union {  // a block's or a region's particulars; not read here
    struct {
      HANDLE hMem;
      DWORD dwReserved[3];
    } Block;
    struct {
      DWORD dwCommittedSize;
      DWORD dwUnCommittedSize;
      void* lpFirstBlock;
      void* lpLastBlock;
    } Region;
  };
};
static_assert(sizeof(PROCESS_HEAP_ENTRY) == layoutSize(28, 40));

// HeapWalk(heap, entry): steps through the heap, starting from entry->lpData null; each TRUE
// result describes the next entry in *entry. An entry with kProcessHeapEntryBusy in wFlags is an
// allocated block: lpData its address, cbData the size it was asked for. Other entries (the
// heap's regions and free ranges) may come between. At the end FALSE with kErrorNoMoreItems.
// For tests and benchmarks, which measure the library's heaps; the library does not call it.
BOOL HeapWalk(HANDLE heap, PROCESS_HEAP_ENTRY* entry);

// Known differences: the simulation reports the allocated blocks only, in address order.

}  // namespace platform
