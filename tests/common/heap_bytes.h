// What a heap holds, for tests and benchmarks that check the library keeps no memory.
#pragma once

#include <cstddef>

#include "platform/last_error.h"
#include "platform/memory.h"

// The sum of the sizes of the heap's allocated blocks, from a walk over it. The caller's last
// error is kept (the walk ends by setting one).
inline std::size_t heapBytesInUse(platform::HANDLE heap) {
  platform::DWORD saved = platform::GetLastError();
  std::size_t total = 0;
  platform::PROCESS_HEAP_ENTRY entry{};
  while (platform::HeapWalk(heap, &entry))
    if (entry.wFlags & platform::kProcessHeapEntryBusy) total += entry.cbData;
  platform::SetLastError(saved);
  return total;
}
