// The clipboard and the global memory blocks handed to it.
#pragma once

#include "types.h"

namespace platform {

constexpr UINT kClipboardText = 1;  // CF_TEXT
constexpr UINT kClipboardDib = 8;   // CF_DIB
constexpr UINT kGmemMoveable = 0x0002;
constexpr UINT kGmemDdeShare = 0x2000;
constexpr DWORD kErrorDiscarded = 157;  // ERROR_DISCARDED
constexpr DWORD kErrorNotLocked = 158;  // ERROR_NOT_LOCKED

// OpenClipboard(owner): TRUE when this thread now holds the clipboard open (also when it held
// it already); FALSE with kErrorAccessDenied while another thread or program holds it.
BOOL OpenClipboard(HWND owner);
// CloseClipboard(): TRUE; FALSE with kErrorClipboardNotOpen when this thread does not hold it.
BOOL CloseClipboard();
// EmptyClipboard(): drops every format (their blocks are freed) and TRUE; FALSE with
// kErrorClipboardNotOpen when this thread does not hold the clipboard open.
BOOL EmptyClipboard();
// GetClipboardData(format): the block that holds the format, still owned by the clipboard;
// null when the format is not there, or with kErrorClipboardNotOpen when the clipboard is not
// open. Text formats may be converted into one another; the bytes come back as they were
// placed, without a NUL added.
HANDLE GetClipboardData(UINT format);
// SetClipboardData(format, block): the clipboard takes the block and owns it from then on;
// returns the block. Null with kErrorClipboardNotOpen when this thread does not hold the
// clipboard open; the caller then still owns the block.
HANDLE SetClipboardData(UINT format, HANDLE block);

// GlobalAlloc(flags, bytes): a block of `bytes` bytes; null with kErrorNotEnoughMemory.
HGLOBAL GlobalAlloc(UINT flags, std::size_t bytes);
// GlobalLock(block): the address of its bytes, lock count raised; null for a block that is not
// allocated (kErrorInvalidHandle) and for a movable block of 0 bytes (kErrorDiscarded).
void* GlobalLock(HGLOBAL block);
// GlobalUnlock(block): lowers the lock count; nonzero while the block stays locked, FALSE with
// kErrorSuccess when the count reaches 0, FALSE with kErrorNotLocked when it was not locked.
BOOL GlobalUnlock(HGLOBAL block);
// GlobalSize(block): the size asked for when it was allocated; 0 for a block that is not
// allocated.
std::size_t GlobalSize(HGLOBAL block);
// GlobalFree(block): null when the block was released; the block itself on failure.
HGLOBAL GlobalFree(HGLOBAL block);

// Known differences:
// - Where a call fails because this thread has not opened the clipboard, Wine leaves the last
//   error alone instead of setting kErrorClipboardNotOpen.
// - Under Wine, openers that all give no owner window do not keep each other out.
// - Wine makes the last byte of a CF_TEXT block a NUL.
// - Wine's SetClipboardData refuses a zero-byte movable block (null); the simulation takes it.

}  // namespace platform
