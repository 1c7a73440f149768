// Where values live: the pool their blocks come from and the set that says which are live.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <random>
#include <set>
#include <vector>

#include "runtime/address_set.h"
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

// Against a plain set, over addresses packed as the pool packs values and others far apart:
// every answer agrees, through growth and vacated slots, and the array stays in proportion to
// the most ever held however often addresses come and go.
TEST(AddressSet, AgreesWithASetThroughGrowthAndReuse) {
  std::mt19937 random(11);
  std::vector<std::uintptr_t> addresses;
  for (std::uintptr_t region = 0; region < 40; ++region)
    for (std::uintptr_t i = 0; i < 64; ++i)
      addresses.push_back(0x10000000 + region * 9312 + i * 144);
  for (int i = 0; i < 500; ++i) addresses.push_back((random() & 0x7ffffff8u) + 8);
  quenda::AddressSet held;
  std::set<const void*> model;
  std::size_t most = 0;
  for (int step = 0; step < 60000; ++step) {
    // Phases of mostly adding, then mostly removing, as listings come and go.
    bool adding = (step / 3000) % 2 == 0 ? random() % 4 != 0 : random() % 4 == 0;
    auto* p = reinterpret_cast<const void*>(addresses[random() % addresses.size()]);
    if (adding && !model.count(p)) {
      held.insert(p);
      model.insert(p);
    } else if (!adding) {
      held.erase(p);
      model.erase(p);
    }
    auto* probe = reinterpret_cast<const void*>(addresses[random() % addresses.size()]);
    ASSERT_EQ(held.contains(probe), model.count(probe) == 1) << step;
    ASSERT_EQ(held.size(), model.size());
    most = std::max(most, model.size());
    ASSERT_LE(held.slotCount(), 64 + 8 * most);
  }
  EXPECT_FALSE(held.contains(nullptr));
}

}  // namespace
