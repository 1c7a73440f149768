// clip.get and clip.set: the clipboard's text.
#include <cstring>

#include "platform/clipboard.h"
#include "plugin/calls.h"
#include "plugin/routines.h"

namespace zorvel {
namespace {

constexpr platform::UINT kClipboardBlockFlags = platform::kGmemMoveable | platform::kGmemDdeShare;

// Copies the text and its NUL into the block.
bool fillBlock(platform::HGLOBAL block, const TextVar& text) {
  auto* bytes = static_cast<char*>(platform::GlobalLock(block));
  if (!bytes) return false;
  std::memcpy(bytes, text.c_str(), text.size() + 1);
  platform::GlobalUnlock(block);
  return true;
}

}  // namespace

ZV_ROUTINE(clipGet) {
  if (!platform::OpenClipboard(nullptr)) return giveText("");
  TextVar text;
  platform::HANDLE data = platform::GetClipboardData(platform::kClipboardText);
  const char* bytes = data ? static_cast<const char*>(platform::GlobalLock(data)) : nullptr;
  if (bytes) {
    // Up to the first NUL, and never past the block, which another program may have left
    // without one.
    std::size_t size = platform::GlobalSize(data);
    const void* nul = std::memchr(bytes, 0, size);
    text.assign(bytes,
                nul ? static_cast<std::size_t>(static_cast<const char*>(nul) - bytes) : size);
    platform::GlobalUnlock(data);
  }
  platform::CloseClipboard();
  return giveText(text.c_str());
}

ZV_ROUTINE(clipSet) {
  TextVar text;
  if (!takeTextArguments(text)) return argumentCountError(1);
  // A text that could not be copied (no memory) must not replace what is there.
  if (!text.present() || !platform::OpenClipboard(nullptr)) return kNoResult;
  // The block is filled before the clipboard is emptied, so the old contents stay whenever the
  // new text can't be placed; a block the clipboard did not take is ours to free.
  platform::HGLOBAL block = platform::GlobalAlloc(kClipboardBlockFlags, text.size() + 1);
  if (block && fillBlock(block, text) && platform::EmptyClipboard() &&
      platform::SetClipboardData(platform::kClipboardText, block))
    block = nullptr;
  if (block) platform::GlobalFree(block);
  platform::CloseClipboard();
  return kNoResult;
}

}  // namespace zorvel
