#include "../shell.h"

#include <windows.h>
#include <objbase.h>
#include <shlobj.h>

#include "late_bound.h"

namespace platform {

static_assert(kEInvalidArg == static_cast<HRESULT>(E_INVALIDARG));

HRESULT SHGetSpecialFolderLocation(HWND owner, int csidl, ITEMIDLIST** list) {
  static const auto locate = lateBound<decltype(&::SHGetSpecialFolderLocation)>(
      "shell32.dll", "SHGetSpecialFolderLocation");
  PIDLIST_ABSOLUTE found = nullptr;
  ::HRESULT result = locate ? locate(static_cast<::HWND>(owner), csidl, &found)
                            : HRESULT_FROM_WIN32(ERROR_MOD_NOT_FOUND);
  *list = found;
  return result;
}

BOOL SHGetPathFromIDListA(const ITEMIDLIST* list, char* path) {
  static const auto pathOf =
      lateBound<decltype(&::SHGetPathFromIDListA)>("shell32.dll", "SHGetPathFromIDListA");
  if (pathOf) return pathOf(static_cast<PCIDLIST_ABSOLUTE>(list), path);
  path[0] = 0;
  ::SetLastError(ERROR_MOD_NOT_FOUND);
  return FALSE;
}

void CoTaskMemFree(void* block) {
  ::CoTaskMemFree(block);
}

}  // namespace platform
