// The pool that values are made in.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <random>
#include <set>
#include <vector>

#include "runtime/block_pool.h"

namespace {

// Blocks taken in any order and given back in another never overlap, stay aligned and hold what
// was written in them; chunks go back to the heap as they empty, all but the last.
TEST(BlockPool, BlocksAreDistinctAlignedAndChunksReturnWhenEmpty) {
  constexpr std::size_t kSize = 40;
  constexpr std::size_t kCount = 5 * quenda::BlockPool::kBlocksPerChunk + 3;
  quenda::BlockPool pool(kSize);
  std::mt19937 random(7);
  for (int round = 0; round < 3; ++round) {
    std::vector<unsigned char*> taken;
    for (std::size_t i = 0; i < kCount; ++i) {
      auto* block = static_cast<unsigned char*>(pool.take());
      EXPECT_EQ(reinterpret_cast<std::uintptr_t>(block) % __STDCPP_DEFAULT_NEW_ALIGNMENT__, 0u);
      taken.push_back(block);
    }
    EXPECT_EQ(pool.chunkCount(), 6u);
    std::shuffle(taken.begin(), taken.end(), random);
    // Half go back, and as many are taken again: the freed ones are reused first.
    std::vector<unsigned char*> kept(taken.begin() + kCount / 2, taken.end());
    for (std::size_t i = 0; i < kCount / 2; ++i) pool.give(taken[i]);
    for (std::size_t i = 0; i < kCount / 2; ++i)
      kept.push_back(static_cast<unsigned char*>(pool.take()));
    EXPECT_EQ(pool.chunkCount(), 6u);
    std::set<unsigned char*> distinct(kept.begin(), kept.end());
    EXPECT_EQ(distinct.size(), kCount);
    for (std::size_t i = 0; i < kCount; ++i) std::memset(kept[i], static_cast<int>(i % 251), kSize);
    for (std::size_t i = 0; i < kCount; ++i) {
      EXPECT_TRUE(
          std::all_of(kept[i], kept[i] + kSize, [i](unsigned char c) { return c == i % 251; }));
    }
    std::shuffle(kept.begin(), kept.end(), random);
    for (unsigned char* block : kept) pool.give(block);
    EXPECT_EQ(pool.chunkCount(), 1u);
  }
}

}  // namespace
