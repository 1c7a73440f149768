#include "current_directory.h"

#include "platform/files.h"
#include "plugin/memory.h"

namespace zorvel {
namespace {

// A directory that outgrew the first buffer: ask again with the size Windows said it needs,
// as often as the directory keeps changing under us, within reason.
void readLongCurrentDirectory(platform::DWORD needed, TextVar& out) {
  for (int attempt = 0; attempt < 8; ++attempt) {
    auto* buffer = static_cast<char*>(moduleAlloc(needed));
    if (!buffer) return;
    platform::DWORD length = platform::GetCurrentDirectoryA(needed, buffer);
    if (length != 0 && length < needed) out.assign(buffer, length);
    moduleFree(buffer);
    if (length < needed) return;
    needed = length;
  }
}

}  // namespace

void currentDirectoryPath(TextVar& out) {
  out.clear();
  char buffer[platform::kMaxPath];
  platform::DWORD length = platform::GetCurrentDirectoryA(sizeof buffer, buffer);
  if (length >= sizeof buffer)
    readLongCurrentDirectory(length, out);
  else
    out.assign(buffer, length);
  if (!out.empty() && out.last() != '\\') {
    std::size_t length = out.size();
    out.append('\\');
    if (out.size() != length + 1) out.clear();  // no memory: no path rather than a wrong one
  }
}

}  // namespace zorvel
