// The memory service: object data blocks, zero-filled, from a heap of the library's own.
#pragma once

#include <cstdint>

namespace zorvel {

void startMemoryService();
void stopMemoryService();
void* memoryHeap();

// A zero-filled block of `bytes` bytes; none (null) for a request of 0 or fewer bytes or when
// memory cannot be had.
void* allocateBlock(std::int32_t bytes);
void freeBlock(void* block);

// Blocks from the module heap, for lists, dialogs, environment walking and program launching.
void* moduleAlloc(std::size_t bytes);
void moduleFree(void* block);

}  // namespace zorvel
