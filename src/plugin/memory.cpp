#include "memory.h"

#include "module_state.h"
#include "platform/memory.h"

namespace zorvel {
namespace {
void* gMemoryHeap = nullptr;
}

void startMemoryService() { gMemoryHeap = platform::HeapCreate(0, 4096, 0); }

void stopMemoryService() {
  if (gMemoryHeap) platform::HeapDestroy(gMemoryHeap);
  gMemoryHeap = nullptr;
}

void* memoryHeap() { return gMemoryHeap; }

void* allocateBlock(std::int32_t bytes) {
  if (bytes <= 0) return nullptr;
  return platform::HeapAlloc(gMemoryHeap, platform::kHeapZeroMemory,
                             static_cast<std::size_t>(bytes));
}

void freeBlock(void* block) {
  if (block) platform::HeapFree(gMemoryHeap, 0, block);
}

void* moduleAlloc(std::size_t bytes) {
  return platform::HeapAlloc(module.moduleHeap, platform::kHeapZeroMemory, bytes);
}

void moduleFree(void* block) {
  if (block) platform::HeapFree(module.moduleHeap, 0, block);
}

}  // namespace zorvel
