// Heaps and process start-up services.
#pragma once

#include "types.h"

namespace platform {

constexpr DWORD kHeapNoSerialize = 0x00000001;  // HEAP_NO_SERIALIZE
constexpr DWORD kHeapZeroMemory = 0x00000008;   // HEAP_ZERO_MEMORY

// HeapCreate(options, initialSize, maximumSize): a new growable heap when maximumSize is 0.
// Returns the heap, or null with GetLastError set (kErrorNotEnoughMemory).
HANDLE HeapCreate(DWORD options, std::size_t initialSize, std::size_t maximumSize);
// HeapAlloc(heap, flags, bytes): a block of at least `bytes` bytes, zero-filled with
// kHeapZeroMemory; null on failure. A request for 0 bytes gives a valid, distinct block.
void* HeapAlloc(HANDLE heap, DWORD flags, std::size_t bytes);
// HeapReAlloc(heap, flags, block, bytes): the block moved or resized, contents kept up to the
// smaller size; null on failure, and then the old block is still valid and unchanged.
void* HeapReAlloc(HANDLE heap, DWORD flags, void* block, std::size_t bytes);
// HeapFree(heap, flags, block): TRUE; freeing null is TRUE and does nothing.
BOOL HeapFree(HANDLE heap, DWORD flags, void* block);
// HeapDestroy(heap): releases the heap and every block in it; TRUE on success.
BOOL HeapDestroy(HANDLE heap);

// Bytes currently allocated from a heap the library created (the sum of live block sizes).
// Not a Windows call; the real layer walks the heap with HeapWalk. Used by benchmarks and tests.
std::size_t HeapBytesInUse(HANDLE heap);

// InitCommonControls(): no result.
void InitCommonControls();
// CoInitialize(reserved): S_OK (0), S_FALSE (1) when already initialised on this thread.
HRESULT CoInitialize(void* reserved);

}  // namespace platform
