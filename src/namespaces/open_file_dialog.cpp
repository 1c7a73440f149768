#include "open_file_dialog.h"

#include <cstring>

#include "dialog_owner.h"
#include "platform/dialogs.h"
#include "plugin/memory.h"
#include "thread_windows.h"

namespace zorvel {
namespace {

constexpr std::size_t kFileNameBuffer = platform::kMaxPath;
static_assert(kOpenFileDialogFlags == (platform::kOfnExplorer | platform::kOfnPathMustExist |
                                       platform::kOfnNoChangeDir | platform::kOfnHideReadonly));

// The NUL-separated, double-NUL-terminated filter list made from "a|b|c|d", in the module heap.
char* makeFilterBuffer(const char* patterns) {
  const std::size_t length = textLength(patterns);
  auto* buffer = static_cast<char*>(moduleAlloc(length + 2));
  if (!buffer) return nullptr;
  for (std::size_t i = 0; i < length; ++i) buffer[i] = patterns[i] == '|' ? '\0' : patterns[i];
  return buffer;
}

}  // namespace

bool isValidFileName(const char* name) {
  if (!name || !*name) return false;
  for (const char* c = name; *c; ++c) {
    if (static_cast<unsigned char>(*c) < 0x20) return false;
    if (std::strchr("\"\\/:*?<>|", *c)) return false;
  }
  return true;
}

void openFileDialog(const char* title, const char* initialPath, const char* patterns,
                    std::int32_t patternIndex, TextVar& out) {
  out.assign("");
  auto* fileName = static_cast<char*>(moduleAlloc(kFileNameBuffer));
  char* filter = makeFilterBuffer(patterns);
  if (!fileName || !filter) {
    moduleFree(fileName);
    moduleFree(filter);
    return;
  }

  // The folder before the last backslash and the name after it; a backslash in front only
  // does not count.
  TextVar initialDirectory;
  TextVar proposal;
  const char* path = initialPath ? initialPath : "";
  const char* lastBackslash = std::strrchr(path, '\\');
  if (lastBackslash && lastBackslash != path) {
    initialDirectory.assign(path, static_cast<std::size_t>(lastBackslash - path));
    proposal.assign(lastBackslash + 1);
  } else {
    initialDirectory.assign("");
    proposal.assign(path);
  }
  if (isValidFileName(proposal.c_str()) && proposal.size() < kFileNameBuffer)
    std::memcpy(fileName, proposal.c_str(), proposal.size() + 1);

  platform::OPENFILENAMEA dialog;
  std::memset(&dialog, 0, sizeof dialog);
  dialog.lStructSize = platform::kOpenFileNameSize;
  dialog.hwndOwner = dialogOwnerWindow();
  dialog.lpstrFilter = filter;
  dialog.nFilterIndex = static_cast<platform::DWORD>(patternIndex) + 1u;
  dialog.lpstrFile = fileName;
  dialog.nMaxFile = kFileNameBuffer;
  dialog.lpstrInitialDir = initialDirectory.c_str();
  dialog.lpstrTitle = title;
  dialog.Flags = kOpenFileDialogFlags;

  disableThreadWindows();
  const bool chosen = platform::GetOpenFileNameA(&dialog) != platform::kFalse;
  enableThreadWindows();

  moduleFree(filter);
  if (chosen) {
    const void* end = std::memchr(fileName, 0, kFileNameBuffer);
    if (end)
      out.assign(fileName, static_cast<std::size_t>(static_cast<const char*>(end) - fileName));
  }
  moduleFree(fileName);
}

}  // namespace zorvel
