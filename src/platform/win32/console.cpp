#include "../console.h"

#include <windows.h>

#include <cstddef>

namespace platform {

static_assert(kStdInputHandle == STD_INPUT_HANDLE);
static_assert(kStdOutputHandle == STD_OUTPUT_HANDLE);
static_assert(kStdErrorHandle == STD_ERROR_HANDLE);

static_assert(sizeof(CONSOLE_SCREEN_BUFFER_INFO) == sizeof(::CONSOLE_SCREEN_BUFFER_INFO));
static_assert(offsetof(CONSOLE_SCREEN_BUFFER_INFO, wAttributes) ==
              offsetof(::CONSOLE_SCREEN_BUFFER_INFO, wAttributes));
static_assert(kForegroundBlue == FOREGROUND_BLUE && kForegroundGreen == FOREGROUND_GREEN &&
              kForegroundRed == FOREGROUND_RED && kForegroundIntensity == FOREGROUND_INTENSITY);

HANDLE GetStdHandle(DWORD which) {
  return ::GetStdHandle(which);
}

BOOL GetConsoleMode(HANDLE handle, DWORD* mode) {
  return ::GetConsoleMode(static_cast<::HANDLE>(handle), reinterpret_cast<::DWORD*>(mode));
}

BOOL SetConsoleMode(HANDLE handle, DWORD mode) {
  return ::SetConsoleMode(static_cast<::HANDLE>(handle), mode);
}

BOOL GetConsoleScreenBufferInfo(HANDLE handle, CONSOLE_SCREEN_BUFFER_INFO* info) {
  return ::GetConsoleScreenBufferInfo(static_cast<::HANDLE>(handle),
                                      reinterpret_cast<::CONSOLE_SCREEN_BUFFER_INFO*>(info));
}

BOOL SetConsoleTextAttribute(HANDLE handle, WORD attributes) {
  return ::SetConsoleTextAttribute(static_cast<::HANDLE>(handle), attributes);
}

}  // namespace platform
