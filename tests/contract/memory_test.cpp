// Heaps (platform/memory.h), and the clipboard with the global memory blocks handed to it
// (platform/clipboard.h).
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

HGLOBAL blockWith(const std::string& bytes) {
  HGLOBAL block = GlobalAlloc(kGmemMoveable | kGmemDdeShare, bytes.size());
  if (auto* at = block ? static_cast<char*>(GlobalLock(block)) : nullptr) {
    std::memcpy(at, bytes.data(), bytes.size());
    GlobalUnlock(block);
  }
  return block;
}

// Places one format as the only contents of the clipboard, then reads the text back whole.
std::string placeAndReadText(UINT format, const std::string& bytes) {
  if (!OpenClipboard(nullptr)) return "<not open>";
  HGLOBAL block = blockWith(bytes);
  EXPECT_EQ(EmptyClipboard(), kTrue);
  EXPECT_EQ(SetClipboardData(format, block), block);
  EXPECT_EQ(OpenClipboard(nullptr), kTrue);  // this thread holds it already
  std::string text = "<none>";
  if (HANDLE data = GetClipboardData(kClipboardText)) {
    auto* at = static_cast<const char*>(GlobalLock(data));
    text = at ? std::string(at, GlobalSize(data)) : "<not locked>";
    GlobalUnlock(data);
  }
  EXPECT_EQ(CloseClipboard(), kTrue);
  return text;
}

TEST(ClipboardContract, TextIsReadBackByteForByteAndAnImageOrAnEmptyBlockIsNoText) {
  EXPECT_EQ(placeAndReadText(kClipboardText, std::string("ab\0cd\0", 6)),
            std::string("ab\0cd\0", 6));
  // A 1x1 bitmap: a 40-byte header (size, width 1, height 1, 1 plane, 32 bits), one pixel.
  std::string dib =
      std::string("\x28\0\0\0\x01\0\0\0\x01\0\0\0\x01\0\x20", 16) + std::string(28, '\0');
  EXPECT_EQ(placeAndReadText(kClipboardDib, dib), "<none>");
  HGLOBAL empty = GlobalAlloc(kGmemMoveable | kGmemDdeShare, 0);  // another program's, say
  EXPECT_FAILS(GlobalLock(empty), nullptr, kErrorDiscarded);
  EXPECT_EQ(GlobalFree(empty), nullptr);

  // Closed, every call is refused and the block stays the caller's; Wine sets no error.
  HGLOBAL block = blockWith(std::string("x\0", 2));
  EXPECT_EQ(SetClipboardData(kClipboardText, block), nullptr);
  EXPECT_EQ(GlobalFree(block), nullptr);
  EXPECT_EQ(GetClipboardData(kClipboardText), nullptr);
  EXPECT_EQ(CloseClipboard(), kFalse);
  SetLastError(contract::kPrimeError);
  EXPECT_EQ(EmptyClipboard(), kFalse);
  EXPECT_TRUE(GetLastError() == kErrorClipboardNotOpen || GetLastError() == contract::kPrimeError);
}

}  // namespace
