// One argument of a command line, quoted so that a program splitting its command line the usual
// way (CommandLineToArgvW, the C runtime) gets back exactly the text that was given.
#pragma once

#include "plugin/text.h"

namespace zorvel {

// Appends `argument` to `out` in double quotes. A run of backslashes before a quote or before the
// closing quote is doubled, and a quote inside gets a backslash of its own; other backslashes
// stay as they are. False, with `out` as it was, when memory ran out.
bool appendQuotedArgument(TextVar& out, const char* argument);

}  // namespace zorvel
