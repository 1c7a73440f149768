#include "special_folder.h"

#include "platform/shell.h"

namespace zorvel {

void specialFolderPath(std::int32_t csidl, TextVar& out) {
  out.clear();
  platform::ITEMIDLIST* list = nullptr;
  platform::HRESULT result = platform::SHGetSpecialFolderLocation(nullptr, csidl, &list);
  if (result < 0 || !list) return;
  char path[platform::kMaxPath];
  path[0] = 0;
  if (platform::SHGetPathFromIDListA(list, path)) {
    path[sizeof path - 1] = 0;
    // Appended without looking: a folder at a drive root ends in two backslashes.
    out.assign(path).append('\\');
  }
  platform::CoTaskMemFree(list);
}

}  // namespace zorvel
