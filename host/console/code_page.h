// The console and the process's ANSI code page, which the library's texts are in (UTF-8 under
// quenda.exe's manifest).
#pragma once

#include <string_view>

#include "platform/types.h"

namespace quenda::console {

// Makes the console read and write the process's ANSI code page, so that typed and printed bytes
// mean what the library's texts mean, and gives the console its own code pages back when the
// process ends (the console outlives it). Without a console: nothing.
void useAnsiCodePageOnConsole();
// Gives the console its code pages back now (for an exit that skips the handlers of exit).
void restoreCodePages();

// Writes text of the ANSI code page to a console as UTF-16, which shows every letter whatever
// the console's code page; false, with nothing written, when `handle` is not a console.
bool writeConsoleText(platform::HANDLE handle, std::string_view text);

}  // namespace quenda::console
