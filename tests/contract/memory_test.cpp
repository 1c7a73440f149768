// Heaps (platform/memory.h).
#include "fixture.h"

#include <algorithm>

#include "common/heap_bytes.h"

using namespace platform;

namespace {

TEST(HeapContract, ReAllocKeepsTheContentsAndWalksCountLiveBytesExactly) {
  HANDLE heap = HeapCreate(0, 0, 0);
  HANDLE other = HeapCreate(kHeapNoSerialize, 4096, 0);
  ASSERT_TRUE(heap && other);
  for (int i = 0; i < 50; ++i) ASSERT_NE(HeapAlloc(other, 0, 100 + i), nullptr);
  auto* p = static_cast<unsigned char*>(HeapAlloc(heap, 0, 1 << 20));  // a large block too
  ASSERT_NE(p, nullptr);
  for (int i = 0; i < 100; ++i) p[i] = static_cast<unsigned char>(i + 1);
  EXPECT_EQ(heapBytesInUse(heap), 1u << 20);
  EXPECT_EQ(heapBytesInUse(other), 50u * 100u + 49u * 50u / 2u);  // heaps are separate
  std::size_t kept = 100;
  for (std::size_t size : {5000, 10, 64}) {
    p = static_cast<unsigned char*>(HeapReAlloc(heap, kHeapZeroMemory, p, size));
    ASSERT_NE(p, nullptr);
    kept = std::min(kept, size);
    for (std::size_t i = 0; i < kept; ++i) ASSERT_EQ(p[i], i + 1) << size;
    EXPECT_EQ(heapBytesInUse(heap), size);
  }
  for (int i = 10; i < 64; ++i) ASSERT_EQ(p[i], 0) << i;  // the grown part is zero-filled
  EXPECT_TRUE(HeapDestroy(other));  // frees all fifty (AddressSanitizer checks natively)
  EXPECT_TRUE(HeapFree(heap, 0, p));
  EXPECT_EQ(heapBytesInUse(heap), 0u);
  EXPECT_TRUE(HeapDestroy(heap));
}

}  // namespace
