// Blocks of one size carved from chunks of many, so that making and freeing one seldom reaches
// the heap: every value is such a block, and a listing makes one for each of thousands of
// entries. A chunk goes back to the heap once all its blocks are free, except the last one
// kept, so that a value made and freed over and over does not take and return a chunk each time.
#pragma once

#include <cstddef>

namespace quenda {

class BlockPool {
 public:
  // Blocks of `size` bytes, aligned for any type new gives.
  explicit BlockPool(std::size_t size);
  ~BlockPool();  // frees the chunks: every block must have been given back
  BlockPool(const BlockPool&) = delete;
  BlockPool& operator=(const BlockPool&) = delete;

  // A block; throws std::bad_alloc when a new chunk cannot be had.
  void* take();
  // Takes back a block from take() of this pool.
  void give(void* block) noexcept;
  std::size_t chunkCount() const { return chunks_; }

  static constexpr std::size_t kBlocksPerChunk = 64;

 private:
  struct Chunk;
  Chunk* newChunk();
  void link(Chunk* chunk) noexcept;
  void unlink(Chunk* chunk) noexcept;

  std::size_t stride_;     // a block with its owner word, rounded up to the alignment
  Chunk* open_ = nullptr;  // chunks with a free block, the one to take from first
  std::size_t chunks_ = 0;
};

}  // namespace quenda
