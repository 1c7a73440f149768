// The seam's contract for heaps (platform/memory.h) and start-up services (platform/startup.h).
#include <gtest/gtest.h>

#include <cstring>

#include "common/heap_bytes.h"
#include "platform/platform.h"

using namespace platform;

namespace {

bool allBytes(const void* p, std::size_t n, unsigned char value) {
  const auto* bytes = static_cast<const unsigned char*>(p);
  for (std::size_t i = 0; i < n; ++i)
    if (bytes[i] != value) return false;
  return true;
}

class Heap : public ::testing::Test {
 protected:
  void SetUp() override {
    heap = HeapCreate(0, 0, 0);
    ASSERT_NE(heap, nullptr);
  }
  void TearDown() override {
    if (heap) {
      EXPECT_TRUE(HeapDestroy(heap));
    }
  }
  HANDLE heap = nullptr;
};

}  // namespace

TEST_F(Heap, ReAllocKeepsTheContents) {
  auto* p = static_cast<unsigned char*>(HeapAlloc(heap, 0, 100));
  ASSERT_NE(p, nullptr);
  for (int i = 0; i < 100; ++i) p[i] = static_cast<unsigned char>(i + 1);

  auto* grown = static_cast<unsigned char*>(HeapReAlloc(heap, 0, p, 5000));
  ASSERT_NE(grown, nullptr);
  for (int i = 0; i < 100; ++i) ASSERT_EQ(grown[i], i + 1) << i;
  std::memset(grown + 100, 0x77, 4900);  // the new part is writable

  auto* shrunk = static_cast<unsigned char*>(HeapReAlloc(heap, 0, grown, 10));
  ASSERT_NE(shrunk, nullptr);
  for (int i = 0; i < 10; ++i) ASSERT_EQ(shrunk[i], i + 1) << i;

  auto* zeroed = static_cast<unsigned char*>(HeapReAlloc(heap, kHeapZeroMemory, shrunk, 64));
  ASSERT_NE(zeroed, nullptr);
  for (int i = 0; i < 10; ++i) ASSERT_EQ(zeroed[i], i + 1) << i;
  EXPECT_TRUE(allBytes(zeroed + 10, 54, 0));  // the grown part is zero-filled
  EXPECT_TRUE(HeapFree(heap, 0, zeroed));
}

TEST_F(Heap, BytesInUseIsTheSumOfLiveBlockSizes) {
  void* a = HeapAlloc(heap, 0, 10);
  void* b = HeapAlloc(heap, kHeapZeroMemory, 1000);
  void* c = HeapAlloc(heap, 0, 0);
  ASSERT_TRUE(a && b && c);
  EXPECT_EQ(heapBytesInUse(heap), 1010u);

  void* big = HeapAlloc(heap, 0, 1 << 20);  // a large block counts exactly too
  ASSERT_NE(big, nullptr);
  EXPECT_EQ(heapBytesInUse(heap), 1010u + (1u << 20));
  EXPECT_TRUE(HeapFree(heap, 0, big));
  EXPECT_EQ(heapBytesInUse(heap), 1010u);

  a = HeapReAlloc(heap, 0, a, 300);
  ASSERT_NE(a, nullptr);
  EXPECT_EQ(heapBytesInUse(heap), 1300u);
  b = HeapReAlloc(heap, 0, b, 1);
  ASSERT_NE(b, nullptr);
  EXPECT_EQ(heapBytesInUse(heap), 301u);

  EXPECT_TRUE(HeapFree(heap, 0, a));
  EXPECT_EQ(heapBytesInUse(heap), 1u);
  EXPECT_TRUE(HeapFree(heap, 0, b));
  EXPECT_TRUE(HeapFree(heap, 0, c));
  EXPECT_EQ(heapBytesInUse(heap), 0u);
}

TEST_F(Heap, DestroyReleasesEveryBlock) {
  HANDLE other = HeapCreate(kHeapNoSerialize, 4096, 0);
  ASSERT_NE(other, nullptr);
  ASSERT_NE(other, heap);
  for (int i = 0; i < 50; ++i) ASSERT_NE(HeapAlloc(other, 0, 100 + i), nullptr);
  EXPECT_EQ(heapBytesInUse(other), 50u * 100u + 49u * 50u / 2u);
  EXPECT_EQ(heapBytesInUse(heap), 0u);  // heaps are separate
  EXPECT_TRUE(HeapDestroy(other));      // frees all fifty (AddressSanitizer checks natively)
}

TEST(StartUp, CoInitializeSaysWhenItWasDoneAlready) {
  HRESULT first = CoInitialize(nullptr);
  EXPECT_TRUE(first == 0 || first == 1) << first;  // S_OK, or S_FALSE after an earlier test
  EXPECT_EQ(CoInitialize(nullptr), 1);             // S_FALSE
  InitCommonControls();                            // no result; must simply return
}
