// The process's standard handles and console modes, for a console program that colours its
// output only on a console and reads a script from standard input that is not one. For the
// reference host; the library does not call them.
#pragma once

#include "types.h"

namespace platform {

constexpr DWORD kStdInputHandle = static_cast<DWORD>(-10);   // STD_INPUT_HANDLE
constexpr DWORD kStdOutputHandle = static_cast<DWORD>(-11);  // STD_OUTPUT_HANDLE
constexpr DWORD kStdErrorHandle = static_cast<DWORD>(-12);   // STD_ERROR_HANDLE

// Console output mode bits.
constexpr DWORD kEnableProcessedOutput = 0x0001;            // ENABLE_PROCESSED_OUTPUT
constexpr DWORD kEnableVirtualTerminalProcessing = 0x0004;  // ENABLE_VIRTUAL_TERMINAL_PROCESSING

// Character attributes of a console screen buffer.
constexpr WORD kForegroundBlue = 0x0001;       // FOREGROUND_BLUE
constexpr WORD kForegroundGreen = 0x0002;      // FOREGROUND_GREEN
constexpr WORD kForegroundRed = 0x0004;        // FOREGROUND_RED
constexpr WORD kForegroundIntensity = 0x0008;  // FOREGROUND_INTENSITY

struct COORD {
  SHORT X;
  SHORT Y;
};
struct SMALL_RECT {
  SHORT Left;
  SHORT Top;
  SHORT Right;
  SHORT Bottom;
};
struct CONSOLE_SCREEN_BUFFER_INFO {
  COORD dwSize;
  COORD dwCursorPosition;
  WORD wAttributes;
  SMALL_RECT srWindow;
  COORD dwMaximumWindowSize;
};

// GetStdHandle(which): the handle for kStdInputHandle, kStdOutputHandle or kStdErrorHandle; null
// when the process has none. Any other value fails: kInvalidHandle with kErrorInvalidHandle.
HANDLE GetStdHandle(DWORD which);
// GetConsoleMode(handle, mode): TRUE and *mode set when the handle is a console; FALSE with
// kErrorInvalidHandle for a file, a pipe, null or anything else, *mode then left as it was.
BOOL GetConsoleMode(HANDLE handle, DWORD* mode);
// SetConsoleMode(handle, mode): TRUE when the console took the mode. FALSE with
// kErrorInvalidHandle for a handle that is not a console, or kErrorInvalidParameter for a mode
// the console does not support (a console without terminal sequences refuses
// kEnableVirtualTerminalProcessing).
BOOL SetConsoleMode(HANDLE handle, DWORD mode);

// GetConsoleScreenBufferInfo(handle, info): TRUE and *info filled for a console output handle
// (wAttributes: the attributes new characters are written with). FALSE with kErrorInvalidHandle
// for anything else, *info then left as it was.
BOOL GetConsoleScreenBufferInfo(HANDLE handle, CONSOLE_SCREEN_BUFFER_INFO* info);
// SetConsoleTextAttribute(handle, attributes): TRUE, and characters written from now on take the
// attributes. FALSE with kErrorInvalidHandle for a handle that is not a console output.
BOOL SetConsoleTextAttribute(HANDLE handle, WORD attributes);

}  // namespace platform
