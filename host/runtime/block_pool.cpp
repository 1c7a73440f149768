#include "runtime/block_pool.h"

#include <cstring>
#include <new>

namespace quenda {
namespace {

constexpr std::size_t kAlign = __STDCPP_DEFAULT_NEW_ALIGNMENT__;

constexpr std::size_t roundUp(std::size_t n) {
  return (n + kAlign - 1) / kAlign * kAlign;
}

}  // namespace

// A chunk's blocks follow it, each behind a word (kAlign bytes, so the block stays aligned)
// that names the chunk. A free block holds the next free one of its chunk.
struct BlockPool::Chunk {
  Chunk* prev = nullptr;
  Chunk* next = nullptr;
  char* free = nullptr;    // the last block given back
  std::size_t carved = 0;  // blocks handed out from the untouched tail so far
  std::size_t used = 0;    // blocks taken and not given back

  char* blocks() { return reinterpret_cast<char*>(this) + roundUp(sizeof(Chunk)); }
};

BlockPool::BlockPool(std::size_t size) : stride_(kAlign + roundUp(size ? size : 1)) {}

BlockPool::~BlockPool() {
  while (open_) {
    Chunk* chunk = open_;
    unlink(chunk);
    ::operator delete(chunk);
  }
}

void* BlockPool::take() {
  if (!open_) link(newChunk());
  Chunk* chunk = open_;
  char* block = chunk->free;
  if (block) {
    std::memcpy(&chunk->free, block, sizeof chunk->free);
  } else {
    block = chunk->blocks() + chunk->carved++ * stride_ + kAlign;
    std::memcpy(block - kAlign, &chunk, sizeof chunk);
  }
  if (++chunk->used == kBlocksPerChunk) unlink(chunk);  // full chunks are not on the list
  return block;
}

void BlockPool::give(void* given) noexcept {
  if (!given) return;
  auto* block = static_cast<char*>(given);
  Chunk* chunk;
  std::memcpy(&chunk, block - kAlign, sizeof chunk);
  if (chunk->used == kBlocksPerChunk) link(chunk);
  std::memcpy(block, &chunk->free, sizeof chunk->free);
  chunk->free = block;
  if (--chunk->used == 0 && (chunk->prev || chunk->next)) {
    unlink(chunk);
    ::operator delete(chunk);
    --chunks_;
  }
}

BlockPool::Chunk* BlockPool::newChunk() {
  void* memory = ::operator new(roundUp(sizeof(Chunk)) + kBlocksPerChunk * stride_);
  ++chunks_;
  return new (memory) Chunk;
}

void BlockPool::link(Chunk* chunk) noexcept {
  chunk->prev = nullptr;
  chunk->next = open_;
  if (open_) open_->prev = chunk;
  open_ = chunk;
}

void BlockPool::unlink(Chunk* chunk) noexcept {
  if (chunk->prev) chunk->prev->next = chunk->next;
  if (chunk->next) chunk->next->prev = chunk->prev;
  if (open_ == chunk) open_ = chunk->next;
  chunk->prev = chunk->next = nullptr;
}

}  // namespace quenda
