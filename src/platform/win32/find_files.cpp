// The find calls, built on the wide ones. Windows' own ANSI find calls give a name whose letters
// the code page lacks with look-alikes ("ａ.txt" comes back as "a.txt", a fullwidth quote as
// '"'), and a listing would then name another file. Here a name is handed out only when the code
// page holds it exactly, else by its short name, else not at all.
#include "../code_page.h"
#include "../files.h"

#include <windows.h>

#include <cstring>
#include <cwchar>
#include <set>

namespace platform {
namespace {

// The searches that have left a name out, whose end says so.
::SRWLOCK leftOutLock = SRWLOCK_INIT;
std::set<::HANDLE>& leftOut() {
  static auto* searches = new std::set<::HANDLE>;
  return *searches;
}

class Hold {
 public:
  Hold() { ::AcquireSRWLockExclusive(&leftOutLock); }
  ~Hold() { ::ReleaseSRWLockExclusive(&leftOutLock); }
};

void markLeftOut(::HANDLE search) {
  Hold hold;
  leftOut().insert(search);
}

bool hasLeftOut(::HANDLE search) {
  Hold hold;
  return leftOut().count(search) != 0;
}

// Writes `wide` with its NUL into out[size] in the ANSI code page and returns the bytes written,
// NUL included; 0 when a character has no exact form there or the result does not fit.
int exactAnsi(const wchar_t* wide, char* out, int size) {
  // ASCII is the same in every ANSI code page, and most names are ASCII: they need no conversion.
  int i = 0;
  for (; i < size && wide[i] != 0 && wide[i] < 0x80; ++i) out[i] = static_cast<char>(wide[i]);
  if (i < size && wide[i] == 0) {
    out[i] = 0;
    return i + 1;
  }
  static const bool utf8 = ::GetACP() == CP_UTF8;  // takes no best-fit flag, and has no look-alikes
  BOOL usedDefault = FALSE;
  int n = ::WideCharToMultiByte(CP_ACP, utf8 ? WC_ERR_INVALID_CHARS : WC_NO_BEST_FIT_CHARS, wide,
                                -1, out, size, nullptr, utf8 ? nullptr : &usedDefault);
  if (n <= 0 || usedDefault) return 0;
  // A look-alike that slipped past the flag would not convert back to the same name.
  wchar_t back[MAX_PATH + 1];
  int m = ::MultiByteToWideChar(CP_ACP, 0, out, -1, back, MAX_PATH + 1);
  return m > 0 && std::wcscmp(back, wide) == 0 ? n : 0;
}

// Writes the ANSI form of a found entry into `out`; false, with nothing written, when its name
// can't be given exactly.
bool toAnsi(const ::WIN32_FIND_DATAW& wide, WIN32_FIND_DATAA& out) {
  char name[sizeof out.cFileName];
  char shortName[sizeof out.cAlternateFileName];
  int shortBytes = wide.cAlternateFileName[0] != 0
                       ? exactAnsi(wide.cAlternateFileName, shortName, sizeof shortName)
                       : 0;
  int nameBytes = exactAnsi(wide.cFileName, name, sizeof name);
  if (!nameBytes && !shortBytes) return false;
  out.dwFileAttributes = wide.dwFileAttributes;
  std::memcpy(&out.ftCreationTime, &wide.ftCreationTime, sizeof out.ftCreationTime);
  std::memcpy(&out.ftLastAccessTime, &wide.ftLastAccessTime, sizeof out.ftLastAccessTime);
  std::memcpy(&out.ftLastWriteTime, &wide.ftLastWriteTime, sizeof out.ftLastWriteTime);
  out.nFileSizeHigh = wide.nFileSizeHigh;
  out.nFileSizeLow = wide.nFileSizeLow;
  out.dwReserved0 = wide.dwReserved0;
  out.dwReserved1 = wide.dwReserved1;
  // Only the names and their NULs: a listing asks for thousands of entries.
  if (nameBytes) {
    std::memcpy(out.cFileName, name, static_cast<std::size_t>(nameBytes));
  } else {
    std::memcpy(out.cFileName, shortName, static_cast<std::size_t>(shortBytes));
  }
  if (nameBytes && shortBytes) {
    std::memcpy(out.cAlternateFileName, shortName, static_cast<std::size_t>(shortBytes));
  } else {
    out.cAlternateFileName[0] = 0;
  }
  return true;
}

}  // namespace

HANDLE FindFirstFileA(const char* pattern, WIN32_FIND_DATAA* data) {
  // What Windows' ANSI calls take: up to MAX_PATH characters.
  wchar_t widePattern[MAX_PATH + 1];
  if (::MultiByteToWideChar(CP_ACP, 0, pattern ? pattern : "", -1, widePattern, MAX_PATH + 1) ==
      0) {
    ::SetLastError(::GetLastError() == ERROR_INSUFFICIENT_BUFFER ? ERROR_FILENAME_EXCED_RANGE
                                                                 : ERROR_INVALID_NAME);
    return kInvalidHandle;
  }
  ::WIN32_FIND_DATAW wide;
  ::HANDLE search = ::FindFirstFileW(widePattern, &wide);
  if (search == INVALID_HANDLE_VALUE) return kInvalidHandle;
  bool skipped = false;
  while (!toAnsi(wide, *data)) {
    skipped = true;
    if (!::FindNextFileW(search, &wide)) {
      ::DWORD error = ::GetLastError();
      ::FindClose(search);
      ::SetLastError(error == ERROR_NO_MORE_FILES ? ERROR_NO_UNICODE_TRANSLATION : error);
      return kInvalidHandle;
    }
  }
  if (skipped) markLeftOut(search);
  return search;
}

BOOL FindNextFileA(HANDLE handle, WIN32_FIND_DATAA* data) {
  auto search = static_cast<::HANDLE>(handle);
  ::WIN32_FIND_DATAW wide;
  for (;;) {
    if (!::FindNextFileW(search, &wide)) {
      ::DWORD error = ::GetLastError();
      if (error == ERROR_NO_MORE_FILES && hasLeftOut(search)) error = ERROR_NO_UNICODE_TRANSLATION;
      ::SetLastError(error);
      return kFalse;
    }
    if (toAnsi(wide, *data)) break;
    markLeftOut(search);
  }
  return kTrue;
}

BOOL FindClose(HANDLE handle) {
  {
    Hold hold;
    leftOut().erase(static_cast<::HANDLE>(handle));
  }
  return ::FindClose(static_cast<::HANDLE>(handle));
}

}  // namespace platform
