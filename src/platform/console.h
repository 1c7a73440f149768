// The process's standard handles and console modes, for a console program that colours its
// output only on a console, reads a script from standard input that is not one, and edits the
// lines typed at its prompt key by key. For the reference host; the library does not call them.
#pragma once

#include "types.h"

namespace platform {

constexpr DWORD kStdInputHandle = static_cast<DWORD>(-10);   // STD_INPUT_HANDLE
constexpr DWORD kStdOutputHandle = static_cast<DWORD>(-11);  // STD_OUTPUT_HANDLE
constexpr DWORD kStdErrorHandle = static_cast<DWORD>(-12);   // STD_ERROR_HANDLE

// Console output mode bits.
constexpr DWORD kEnableProcessedOutput = 0x0001;            // ENABLE_PROCESSED_OUTPUT
constexpr DWORD kEnableVirtualTerminalProcessing = 0x0004;  // ENABLE_VIRTUAL_TERMINAL_PROCESSING

// Console input mode bits.
constexpr DWORD kEnableProcessedInput = 0x0001;  // ENABLE_PROCESSED_INPUT: Ctrl+C is a signal
constexpr DWORD kEnableLineInput = 0x0002;       // ENABLE_LINE_INPUT
constexpr DWORD kEnableEchoInput = 0x0004;       // ENABLE_ECHO_INPUT

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

constexpr WORD kKeyEvent = 0x0001;    // KEY_EVENT
constexpr DWORD kCtrlCEvent = 0;      // CTRL_C_EVENT
constexpr DWORD kCtrlBreakEvent = 1;  // CTRL_BREAK_EVENT

struct KEY_EVENT_RECORD {
  BOOL bKeyDown;
  WORD wRepeatCount;
  WORD wVirtualKeyCode;
  WORD wVirtualScanCode;
  WCHAR UnicodeChar;  // a union with the ANSI character in Windows' own declaration
  DWORD dwControlKeyState;
};
struct INPUT_RECORD {
  WORD EventType;
  // KeyEvent when EventType is kKeyEvent; mouse, size, menu and focus events are not spelt out.
  union {
    KEY_EVENT_RECORD KeyEvent;
    unsigned char other[16];
  } Event;
};

// A console control handler: called on a thread of its own; TRUE when it handled the event.
using PHANDLER_ROUTINE = BOOL(ZV_STDCALL*)(DWORD event);

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

// ReadConsoleInputW(handle, records, count, read): waits until the console input holds an
// event, then moves up to `count` of them into `records`, *read their number; TRUE. The input
// mode does not change what arrives: every key is an event, pressed and released, with the
// character it types (0 for none). FALSE with kErrorInvalidHandle for a handle that is not a
// console input, *read then 0 and `records` untouched.
BOOL ReadConsoleInputW(HANDLE handle, INPUT_RECORD* records, DWORD count, DWORD* read);
// WriteConsoleInputW(handle, records, count, written): puts events at the end of the console
// input, as if typed; TRUE. FALSE with kErrorInvalidHandle as above, *written untouched.
BOOL WriteConsoleInputW(HANDLE handle, const INPUT_RECORD* records, DWORD count, DWORD* written);
// SetConsoleCtrlHandler(handler, add): adds the handler (add TRUE) or removes it; TRUE. On
// Ctrl+C the handlers are called newest first, on a thread of their own, until one returns TRUE;
// with none that does, the process ends. Removing a handler that was never added fails with
// kErrorInvalidParameter. While the input mode lacks kEnableProcessedInput, a console reports
// Ctrl+C as a key (character 3) instead.
BOOL SetConsoleCtrlHandler(PHANDLER_ROUTINE handler, BOOL add);

// Known differences:
// - Wine in a Unix terminal reports Ctrl+C to the handlers whatever the input mode (the terminal
//   raises it as a signal), and Ctrl+Z not at all. Home and End arrive as keys for the sequences
//   ESC [ H, ESC [ F, ESC O H and ESC O F only; ESC [ 1 ~ and ESC [ 4 ~ arrive as a key without a
//   code or character.
// - The simulation has no keyboard: ReadConsoleInputW hands out the events a test queued
//   (sim::typeConsoleInput) or written with WriteConsoleInputW, and once they are used up fails
//   with kErrorInvalidHandle instead of waiting. sim::raiseConsoleCtrl calls the handlers on the
//   calling thread.

}  // namespace platform
