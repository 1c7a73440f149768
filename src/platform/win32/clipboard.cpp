#include "../clipboard.h"

#include <windows.h>

namespace platform {

static_assert(kClipboardText == CF_TEXT && kClipboardDib == CF_DIB);
static_assert(kGmemMoveable == GMEM_MOVEABLE && kGmemDdeShare == GMEM_DDESHARE);
static_assert(kErrorClipboardNotOpen == ERROR_CLIPBOARD_NOT_OPEN);
static_assert(kErrorDiscarded == ERROR_DISCARDED && kErrorNotLocked == ERROR_NOT_LOCKED);

BOOL OpenClipboard(HWND owner) {
  return ::OpenClipboard(static_cast<::HWND>(owner));
}

BOOL CloseClipboard() {
  return ::CloseClipboard();
}

BOOL EmptyClipboard() {
  return ::EmptyClipboard();
}

HANDLE GetClipboardData(UINT format) {
  return ::GetClipboardData(format);
}

HANDLE SetClipboardData(UINT format, HANDLE block) {
  return ::SetClipboardData(format, block);
}

HGLOBAL GlobalAlloc(UINT flags, std::size_t bytes) {
  return ::GlobalAlloc(flags, bytes);
}

void* GlobalLock(HGLOBAL block) {
  return ::GlobalLock(block);
}

BOOL GlobalUnlock(HGLOBAL block) {
  return ::GlobalUnlock(block);
}

std::size_t GlobalSize(HGLOBAL block) {
  return ::GlobalSize(block);
}

HGLOBAL GlobalFree(HGLOBAL block) {
  return ::GlobalFree(block);
}

}  // namespace platform
