#include "../process.h"

#include <windows.h>
#include <shellapi.h>

#include <cstddef>

#include "late_bound.h"

namespace platform {

static_assert(sizeof(STARTUPINFOA) == sizeof(::STARTUPINFOA));
static_assert(offsetof(STARTUPINFOA, dwFlags) == offsetof(::STARTUPINFOA, dwFlags));
static_assert(offsetof(STARTUPINFOA, wShowWindow) == offsetof(::STARTUPINFOA, wShowWindow));
static_assert(offsetof(STARTUPINFOA, hStdError) == offsetof(::STARTUPINFOA, hStdError));
static_assert(sizeof(PROCESS_INFORMATION) == sizeof(::PROCESS_INFORMATION));
static_assert(offsetof(PROCESS_INFORMATION, dwThreadId) ==
              offsetof(::PROCESS_INFORMATION, dwThreadId));
static_assert(sizeof(SHELLEXECUTEINFOA) == sizeof(::SHELLEXECUTEINFOA));
static_assert(offsetof(SHELLEXECUTEINFOA, nShow) == offsetof(::SHELLEXECUTEINFOA, nShow));
static_assert(offsetof(SHELLEXECUTEINFOA, hInstApp) == offsetof(::SHELLEXECUTEINFOA, hInstApp));
static_assert(offsetof(SHELLEXECUTEINFOA, hProcess) == offsetof(::SHELLEXECUTEINFOA, hProcess));
static_assert(kErrorBadExeFormat == ERROR_BAD_EXE_FORMAT);
static_assert(kErrorNoAssociation == ERROR_NO_ASSOCIATION);
static_assert(kSeeMaskNoCloseProcess == SEE_MASK_NOCLOSEPROCESS);
static_assert(kSeeMaskFlagNoUi == SEE_MASK_FLAG_NO_UI);

BOOL CreateProcessA(const char* application, char* commandLine, void* processAttributes,
                    void* threadAttributes, BOOL inheritHandles, DWORD creationFlags,
                    void* environment, const char* currentDirectory, STARTUPINFOA* startupInfo,
                    PROCESS_INFORMATION* processInfo) {
  return ::CreateProcessA(
      application, commandLine, static_cast<LPSECURITY_ATTRIBUTES>(processAttributes),
      static_cast<LPSECURITY_ATTRIBUTES>(threadAttributes), inheritHandles, creationFlags,
      environment, currentDirectory, reinterpret_cast<::STARTUPINFOA*>(startupInfo),
      reinterpret_cast<::PROCESS_INFORMATION*>(processInfo));
}

BOOL ShellExecuteExA(SHELLEXECUTEINFOA* info) {
  static const auto execute =
      lateBound<decltype(&::ShellExecuteExA)>("shell32.dll", "ShellExecuteExA");
  if (execute) return execute(reinterpret_cast<::SHELLEXECUTEINFOA*>(info));
  info->hInstApp = reinterpret_cast<::HINSTANCE>(SE_ERR_DLLNOTFOUND);
  info->hProcess = nullptr;
  ::SetLastError(ERROR_MOD_NOT_FOUND);
  return FALSE;
}

BOOL CloseHandle(HANDLE handle) {
  return ::CloseHandle(handle);
}

}  // namespace platform
