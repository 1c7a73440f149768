// The simulated console: which standard handles are a console, and which modes it takes.
#pragma once

#include <string>

#include "../types.h"

namespace platform::sim {

// Whether each standard handle (kStdInputHandle, kStdOutputHandle, kStdErrorHandle) is a console.
// Until a test says otherwise, each follows the real process: a console when its file descriptor
// is a terminal, so the native host colours its output in a terminal only.
void setConsole(DWORD which, bool isConsole);
// Whether the consoles take kEnableVirtualTerminalProcessing (default: yes).
void setTerminalSequences(bool supported);
// The mode last set on a standard handle's console (initially kEnableProcessedOutput).
DWORD consoleMode(DWORD which);
// The attributes last set on a standard handle's console (initially grey: red, green and blue).
// On a real terminal the simulation shows each change as an ANSI colour sequence.
WORD consoleAttributes(DWORD which);
// Back to the defaults above.
void resetConsole();
// The program's own file as GetModuleFileNameA gives it (default "C:\quenda\quenda.exe").
void setProgramPath(const std::string& path);

}  // namespace platform::sim
