#include "../shell.h"

#include <windows.h>
#include <objbase.h>
#include <shlobj.h>

namespace platform {

static_assert(kEInvalidArg == static_cast<HRESULT>(E_INVALIDARG));

HRESULT SHGetSpecialFolderLocation(HWND owner, int csidl, ITEMIDLIST** list) {
  PIDLIST_ABSOLUTE found = nullptr;
  ::HRESULT result = ::SHGetSpecialFolderLocation(static_cast<::HWND>(owner), csidl, &found);
  *list = found;
  return result;
}

BOOL SHGetPathFromIDListA(const ITEMIDLIST* list, char* path) {
  return ::SHGetPathFromIDListA(static_cast<PCIDLIST_ABSOLUTE>(list), path);
}

void CoTaskMemFree(void* block) {
  ::CoTaskMemFree(block);
}

}  // namespace platform
