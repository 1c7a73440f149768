// The clipboard and global memory wrappers: the same cases natively against the simulation
// and under Wine.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "platform/clipboard.h"
#include "platform/files.h"

namespace {

using namespace platform;

HGLOBAL blockWith(const std::string& bytes) {
  HGLOBAL block = GlobalAlloc(kGmemMoveable | kGmemDdeShare, bytes.size());
  if (!block) return nullptr;
  auto* at = static_cast<char*>(GlobalLock(block));
  if (at) std::memcpy(at, bytes.data(), bytes.size());
  GlobalUnlock(block);
  return block;
}

// Places one format as the only contents of the clipboard.
bool place(UINT format, const std::string& bytes) {
  if (!OpenClipboard(nullptr)) return false;
  HGLOBAL block = blockWith(bytes);
  bool placed = EmptyClipboard() && SetClipboardData(format, block) != nullptr;
  if (!placed) GlobalFree(block);
  return CloseClipboard() && placed;
}

// The whole block that holds a format, or "<none>".
std::string read(UINT format) {
  if (!OpenClipboard(nullptr)) return "<not open>";
  std::string bytes = "<none>";
  HANDLE data = GetClipboardData(format);
  if (data) {
    auto* at = static_cast<const char*>(GlobalLock(data));
    bytes = at ? std::string(at, GlobalSize(data)) : "<not locked>";
    GlobalUnlock(data);
  }
  CloseClipboard();
  return bytes;
}

bool notOpenError() {
  // Windows and the simulation say the clipboard is not open; Wine leaves the error alone.
  DWORD error = GetLastError();
  return error == kErrorClipboardNotOpen || error == 0xdeadbeef;
}

TEST(ClipboardContract, CallsThatNeedTheClipboardOpenFailWithoutIt) {
  SetLastError(0xdeadbeef);
  EXPECT_EQ(CloseClipboard(), kFalse);
  EXPECT_TRUE(notOpenError());
  SetLastError(0xdeadbeef);
  EXPECT_EQ(EmptyClipboard(), kFalse);
  EXPECT_TRUE(notOpenError());
  SetLastError(0xdeadbeef);
  EXPECT_EQ(GetClipboardData(kClipboardText), nullptr);
  EXPECT_TRUE(notOpenError());

  HGLOBAL block = blockWith(std::string("x\0", 2));
  ASSERT_NE(block, nullptr);
  SetLastError(0xdeadbeef);
  EXPECT_EQ(SetClipboardData(kClipboardText, block), nullptr);
  EXPECT_TRUE(notOpenError());
  EXPECT_EQ(GlobalFree(block), nullptr);  // refused, so still the caller's
}

TEST(ClipboardContract, TextPlacedIsReadBackByteForByte) {
  ASSERT_EQ(OpenClipboard(nullptr), kTrue);
  EXPECT_EQ(OpenClipboard(nullptr), kTrue);  // this thread holds it already
  EXPECT_EQ(EmptyClipboard(), kTrue);
  HGLOBAL block = blockWith(std::string("abc\0", 4));
  EXPECT_EQ(SetClipboardData(kClipboardText, block), block);
  EXPECT_EQ(CloseClipboard(), kTrue);
  EXPECT_EQ(read(kClipboardText), std::string("abc\0", 4));

  ASSERT_TRUE(place(kClipboardText, std::string("ab\0cd\0", 6)));
  EXPECT_EQ(read(kClipboardText), std::string("ab\0cd\0", 6));
}

TEST(ClipboardContract, NoTextWhenEmptiedOrHoldingAnImage) {
  ASSERT_EQ(OpenClipboard(nullptr), kTrue);
  EXPECT_EQ(EmptyClipboard(), kTrue);
  EXPECT_EQ(GetClipboardData(kClipboardText), nullptr);
  EXPECT_EQ(CloseClipboard(), kTrue);

  // A 1x1 device-independent bitmap: a 40-byte header and one 32-bit pixel.
  std::string dib(44, '\0');
  dib[0] = 40;   // header size
  dib[4] = 1;    // width
  dib[8] = 1;    // height
  dib[12] = 1;   // planes
  dib[14] = 32;  // bits per pixel
  ASSERT_TRUE(place(kClipboardDib, dib));
  EXPECT_EQ(read(kClipboardText), "<none>");
}

TEST(ClipboardContract, GlobalBlockLockCounting) {
  HGLOBAL block = GlobalAlloc(kGmemMoveable | kGmemDdeShare, 8);
  ASSERT_NE(block, nullptr);
  EXPECT_EQ(GlobalSize(block), 8u);
  EXPECT_NE(GlobalLock(block), nullptr);
  SetLastError(0xdeadbeef);
  EXPECT_EQ(GlobalUnlock(block), kFalse);
  EXPECT_EQ(GetLastError(), kErrorSuccess);
  EXPECT_EQ(GlobalUnlock(block), kFalse);
  EXPECT_EQ(GetLastError(), kErrorNotLocked);
  EXPECT_EQ(GlobalFree(block), nullptr);

  HGLOBAL empty = GlobalAlloc(kGmemMoveable | kGmemDdeShare, 0);
  ASSERT_NE(empty, nullptr);
  EXPECT_EQ(GlobalLock(empty), nullptr);
  EXPECT_EQ(GetLastError(), kErrorDiscarded);
  EXPECT_EQ(GlobalFree(empty), nullptr);
}

}  // namespace
