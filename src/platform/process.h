// Starting other programs: directly from a command line, or through the shell's opening of a
// file, folder or address. Handles returned here are closed with CloseHandle.
#pragma once

#include "types.h"

namespace platform {

constexpr DWORD kNormalPriorityClass = 0x20;    // NORMAL_PRIORITY_CLASS
constexpr DWORD kStartfUseShowWindow = 0x01;    // STARTF_USESHOWWINDOW
constexpr WORD kSwShowNormal = 1;               // SW_SHOWNORMAL
constexpr DWORD kSeeMaskNoCloseProcess = 0x40;  // SEE_MASK_NOCLOSEPROCESS
constexpr DWORD kSeeMaskFlagNoUi = 0x400;       // SEE_MASK_FLAG_NO_UI

constexpr DWORD kErrorBadExeFormat = 193;    // ERROR_BAD_EXE_FORMAT
constexpr DWORD kErrorNoAssociation = 1155;  // ERROR_NO_ASSOCIATION

struct STARTUPINFOA {
  DWORD cb;
  char* lpReserved;
  char* lpDesktop;
  char* lpTitle;
  DWORD dwX;
  DWORD dwY;
  DWORD dwXSize;
  DWORD dwYSize;
  DWORD dwXCountChars;
  DWORD dwYCountChars;
  DWORD dwFillAttribute;
  DWORD dwFlags;
  WORD wShowWindow;
  WORD cbReserved2;
  unsigned char* lpReserved2;
  HANDLE hStdInput;
  HANDLE hStdOutput;
  HANDLE hStdError;
};
static_assert(sizeof(STARTUPINFOA) == layoutSize(68, 104));

struct PROCESS_INFORMATION {
  HANDLE hProcess;
  HANDLE hThread;
  DWORD dwProcessId;
  DWORD dwThreadId;
};
static_assert(sizeof(PROCESS_INFORMATION) == layoutSize(16, 24));

struct SHELLEXECUTEINFOA {
  DWORD cbSize;
  DWORD fMask;
  HWND hwnd;
  const char* lpVerb;
  const char* lpFile;
  const char* lpParameters;
  const char* lpDirectory;
  int nShow;
  HMODULE hInstApp;
  void* lpIDList;
  const char* lpClass;
  HKEY hkeyClass;
  DWORD dwHotKey;
  HANDLE hIcon;  // a union with hMonitor
  HANDLE hProcess;
};
static_assert(sizeof(SHELLEXECUTEINFOA) == layoutSize(60, 112));

// CreateProcessA(application, commandLine, processAttributes, threadAttributes,
//   inheritHandles, creationFlags, environment, currentDirectory, startupInfo, processInfo):
// with a null application, the program is the command line's first token (a quoted text, or up
// to the first blank); a name without an extension gets ".exe"; a name without a folder is
// searched for in the program's own folder, the current directory and the system folders.
// `commandLine` must be writable. A null `currentDirectory` starts the program in the caller's
// current directory. On success: TRUE, *processInfo holds an open process handle and an open
// thread handle (the caller closes both) and the ids. On failure: FALSE, *processInfo holds no
// handle (it is left as it was or zeroed), and the last error is
//   kErrorFileNotFound   no such program (kErrorPathNotFound may come for a folder in its path
//                        that does not exist);
//   kErrorBadExeFormat   the file exists but is not a program (a document);
//   kErrorDirectory      `currentDirectory` is not an existing folder.
BOOL CreateProcessA(const char* application, char* commandLine, void* processAttributes,
                    void* threadAttributes, BOOL inheritHandles, DWORD creationFlags,
                    void* environment, const char* currentDirectory, STARTUPINFOA* startupInfo,
                    PROCESS_INFORMATION* processInfo);

// ShellExecuteExA(info): opens info->lpFile with the verb (null or "": the default one) and the
// parameters, in info->lpDirectory (null: the caller's current directory). A program is started,
// a document or address opens in the program registered for its type, a folder in the explorer.
// Without kSeeMaskFlagNoUi a failure is also shown to the user in a message box that waits for
// an answer. On success: TRUE, info->hInstApp is greater than 32, and with
// kSeeMaskNoCloseProcess info->hProcess holds the started process's handle, or null when none
// was started (another program took the request); the caller closes it. On failure: FALSE,
// hInstApp is 32 or less, hProcess is null, and the last error is kErrorFileNotFound (nothing of
// that name), kErrorPathNotFound, or kErrorNoAssociation (a file of a type nothing opens).
// Other fields are left as they were. The shell's library is loaded at the first call; when it
// cannot be: FALSE, hInstApp 32 or less, and kErrorModNotFound.
BOOL ShellExecuteExA(SHELLEXECUTEINFOA* info);

// CloseHandle(handle): closes a process, thread or file handle (file_identity.h): TRUE; FALSE
// with kErrorInvalidHandle for a handle that is not open.
BOOL CloseHandle(HANDLE handle);

// Known differences:
// - Wine zeroes *processInfo when CreateProcessA fails after it found the program file, and
//   reports a file of a type nothing opens as kErrorBadExeFormat from ShellExecuteExA.
// - The simulation starts nothing: a program is a file ending in ".exe" or ".com", searched for
//   in the current directory, C:\Windows\System32 and C:\Windows, and a start is recorded.

}  // namespace platform
