// The clipboard and the global memory blocks handed to it (platform/clipboard.h).
#include "fixture.h"

namespace {

using namespace platform;

HGLOBAL blockWith(const std::string& bytes) {
  HGLOBAL block = GlobalAlloc(kGmemMoveable | kGmemDdeShare, bytes.size());
  if (auto* at = block ? static_cast<char*>(GlobalLock(block)) : nullptr) {
    std::memcpy(at, bytes.data(), bytes.size());
    GlobalUnlock(block);
  }
  return block;
}

// Places one format as the only contents of the clipboard; "<none>" when it is not there.
bool place(UINT format, const std::string& bytes) {
  if (!OpenClipboard(nullptr)) return false;
  HGLOBAL block = blockWith(bytes);
  bool placed = EmptyClipboard() && SetClipboardData(format, block) == block;
  if (!placed) GlobalFree(block);
  return CloseClipboard() && placed;
}

std::string read(UINT format) {
  if (!OpenClipboard(nullptr)) return "<not open>";
  std::string bytes = "<none>";
  if (HANDLE data = GetClipboardData(format)) {
    auto* at = static_cast<const char*>(GlobalLock(data));
    bytes = at ? std::string(at, GlobalSize(data)) : "<not locked>";
    GlobalUnlock(data);
  }
  CloseClipboard();
  return bytes;
}

TEST(ClipboardContract, CallsThatNeedTheClipboardOpenFailWithoutIt) {
  HGLOBAL block = blockWith(std::string("x\0", 2));
  ASSERT_NE(block, nullptr);
  const bool closed[] = {CloseClipboard() == kFalse, EmptyClipboard() == kFalse,
                         GetClipboardData(kClipboardText) == nullptr,
                         SetClipboardData(kClipboardText, block) == nullptr};
  for (bool refused : closed) EXPECT_TRUE(refused);
  // Wine leaves the last error alone.
  SetLastError(contract::kPrimeError);
  EXPECT_EQ(EmptyClipboard(), kFalse);
  EXPECT_TRUE(GetLastError() == kErrorClipboardNotOpen || GetLastError() == contract::kPrimeError);
  EXPECT_EQ(GlobalFree(block), nullptr);  // refused, so still the caller's
}

TEST(ClipboardContract, TextIsReadBackByteForByteAndAnImageIsNoText) {
  ASSERT_EQ(OpenClipboard(nullptr), kTrue);
  EXPECT_EQ(OpenClipboard(nullptr), kTrue);  // this thread holds it already
  EXPECT_EQ(EmptyClipboard(), kTrue);
  EXPECT_EQ(GetClipboardData(kClipboardText), nullptr);
  EXPECT_EQ(CloseClipboard(), kTrue);
  ASSERT_TRUE(place(kClipboardText, std::string("ab\0cd\0", 6)));
  EXPECT_EQ(read(kClipboardText), std::string("ab\0cd\0", 6));

  // A 1x1 bitmap: a 40-byte header (size, width 1, height 1, 1 plane, 32 bits), one pixel.
  std::string dib =
      std::string("\x28\0\0\0\x01\0\0\0\x01\0\0\0\x01\0\x20", 16) + std::string(28, '\0');
  ASSERT_TRUE(place(kClipboardDib, dib));
  EXPECT_EQ(read(kClipboardText), "<none>");
}

TEST(ClipboardContract, GlobalBlocksCountTheirLocks) {
  HGLOBAL block = GlobalAlloc(kGmemMoveable | kGmemDdeShare, 8);
  ASSERT_NE(block, nullptr);
  EXPECT_EQ(GlobalSize(block), 8u);
  EXPECT_NE(GlobalLock(block), nullptr);
  EXPECT_NE(GlobalLock(block), nullptr);
  EXPECT_NE(GlobalUnlock(block), kFalse);
  EXPECT_FAILS(GlobalUnlock(block), kFalse, kErrorSuccess);
  EXPECT_FAILS(GlobalUnlock(block), kFalse, kErrorNotLocked);
  EXPECT_EQ(GlobalFree(block), nullptr);

  HGLOBAL empty = GlobalAlloc(kGmemMoveable | kGmemDdeShare, 0);
  ASSERT_NE(empty, nullptr);
  EXPECT_FAILS(GlobalLock(empty), nullptr, kErrorDiscarded);
  EXPECT_EQ(GlobalFree(empty), nullptr);
}

}  // namespace
