#include "../memory.h"

#include <windows.h>

#include <cstddef>

namespace platform {

static_assert(sizeof(PROCESS_HEAP_ENTRY) == sizeof(::PROCESS_HEAP_ENTRY));
static_assert(offsetof(PROCESS_HEAP_ENTRY, wFlags) == offsetof(::PROCESS_HEAP_ENTRY, wFlags));
static_assert(kProcessHeapEntryBusy == PROCESS_HEAP_ENTRY_BUSY);
static_assert(kErrorNoMoreItems == ERROR_NO_MORE_ITEMS);

HANDLE HeapCreate(DWORD options, std::size_t initialSize, std::size_t maximumSize) {
  return ::HeapCreate(options, initialSize, maximumSize);
}

void* HeapAlloc(HANDLE heap, DWORD flags, std::size_t bytes) {
  return ::HeapAlloc(heap, flags, bytes);
}

void* HeapReAlloc(HANDLE heap, DWORD flags, void* block, std::size_t bytes) {
  return ::HeapReAlloc(heap, flags, block, bytes);
}

BOOL HeapFree(HANDLE heap, DWORD flags, void* block) { return ::HeapFree(heap, flags, block); }

BOOL HeapDestroy(HANDLE heap) { return ::HeapDestroy(heap); }

BOOL HeapWalk(HANDLE heap, PROCESS_HEAP_ENTRY* entry) {
  return ::HeapWalk(heap, reinterpret_cast<::PROCESS_HEAP_ENTRY*>(entry));
}

}  // namespace platform
