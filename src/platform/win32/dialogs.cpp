#include "../dialogs.h"

#include <windows.h>
#include <commdlg.h>
#include <shlobj.h>

#include <cstddef>

#include "late_bound.h"

namespace platform {

// OPENFILENAME_SIZE_VERSION_400A: the structure up to its last field of the short form.
static_assert(offsetof(::OPENFILENAMEA, lpTemplateName) + sizeof(::OPENFILENAMEA::lpTemplateName) ==
              kOpenFileNameSize);
static_assert(offsetof(::OPENFILENAMEA, lpstrInitialDir) ==
              offsetof(OPENFILENAMEA, lpstrInitialDir));
static_assert(offsetof(::OPENFILENAMEA, Flags) == offsetof(OPENFILENAMEA, Flags));
static_assert(offsetof(::OPENFILENAMEA, lpTemplateName) == offsetof(OPENFILENAMEA, lpTemplateName));
static_assert(sizeof(::BROWSEINFOA) == sizeof(BROWSEINFOA));
static_assert(offsetof(::BROWSEINFOA, lpfn) == offsetof(BROWSEINFOA, lpfn));
static_assert(offsetof(::BROWSEINFOA, lParam) == offsetof(BROWSEINFOA, lParam));
static_assert(OFN_EXPLORER == kOfnExplorer && OFN_PATHMUSTEXIST == kOfnPathMustExist &&
              OFN_NOCHANGEDIR == kOfnNoChangeDir && OFN_HIDEREADONLY == kOfnHideReadonly);
static_assert(BIF_NEWDIALOGSTYLE == kBifNewDialogStyle && BFFM_INITIALIZED == kBffmInitialized &&
              BFFM_SETSELECTIONA == kBffmSetSelectionA);

BOOL GetOpenFileNameA(OPENFILENAMEA* dialog) {
  static const auto open =
      lateBound<decltype(&::GetOpenFileNameA)>("comdlg32.dll", "GetOpenFileNameA");
  return open && open(reinterpret_cast<::OPENFILENAMEA*>(dialog));
}

}  // namespace platform
