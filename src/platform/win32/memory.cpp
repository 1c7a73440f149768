// Heaps and start-up services: thin wrappers over Windows.
#include "../memory.h"

#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

namespace platform {

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

// The sum of the data sizes of the busy entries that HeapWalk reports. The caller's last error is
// kept (HeapWalk ends with ERROR_NO_MORE_ITEMS).
std::size_t HeapBytesInUse(HANDLE heap) {
  DWORD saved = ::GetLastError();
  std::size_t total = 0;
  if (::HeapLock(heap)) {
    PROCESS_HEAP_ENTRY entry;
    entry.lpData = nullptr;
    while (::HeapWalk(heap, &entry))
      if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY) total += entry.cbData;
    ::HeapUnlock(heap);
  }
  ::SetLastError(saved);
  return total;
}

void InitCommonControls() { ::InitCommonControls(); }

HRESULT CoInitialize(void* reserved) { return ::CoInitialize(reserved); }

}  // namespace platform
