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
static_assert(kEnableProcessedInput == ENABLE_PROCESSED_INPUT &&
              kEnableLineInput == ENABLE_LINE_INPUT && kEnableEchoInput == ENABLE_ECHO_INPUT);
static_assert(kKeyEvent == KEY_EVENT && kCtrlCEvent == CTRL_C_EVENT &&
              kCtrlBreakEvent == CTRL_BREAK_EVENT);
static_assert(sizeof(INPUT_RECORD) == sizeof(::INPUT_RECORD));
static_assert(offsetof(INPUT_RECORD, Event) == offsetof(::INPUT_RECORD, Event));
static_assert(offsetof(KEY_EVENT_RECORD, wVirtualKeyCode) ==
              offsetof(::KEY_EVENT_RECORD, wVirtualKeyCode));
static_assert(offsetof(KEY_EVENT_RECORD, UnicodeChar) == offsetof(::KEY_EVENT_RECORD, uChar));
static_assert(offsetof(KEY_EVENT_RECORD, dwControlKeyState) ==
              offsetof(::KEY_EVENT_RECORD, dwControlKeyState));
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

BOOL ReadConsoleInputW(HANDLE handle, INPUT_RECORD* records, DWORD count, DWORD* read) {
  return ::ReadConsoleInputW(static_cast<::HANDLE>(handle),
                             reinterpret_cast<::INPUT_RECORD*>(records), count,
                             reinterpret_cast<::DWORD*>(read));
}

BOOL WriteConsoleInputW(HANDLE handle, const INPUT_RECORD* records, DWORD count, DWORD* written) {
  return ::WriteConsoleInputW(static_cast<::HANDLE>(handle),
                              reinterpret_cast<const ::INPUT_RECORD*>(records), count,
                              reinterpret_cast<::DWORD*>(written));
}

BOOL SetConsoleCtrlHandler(PHANDLER_ROUTINE handler, BOOL add) {
  return ::SetConsoleCtrlHandler(reinterpret_cast<::PHANDLER_ROUTINE>(handler), add);
}

}  // namespace platform
