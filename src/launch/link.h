// The launcher functions that link and webLink define: script source for the host's language.
#pragma once

#include "plugin/text.h"

namespace zorvel {

// "main\<name>(){" CR LF, a body line that runs the program (with the caller's argument when
// there is one) or opens the address, CR LF, "}" without a line break after it.
void linkLauncherText(const char* name, const char* program, TextVar& out);
void webLinkLauncherText(const char* name, const char* address, TextVar& out);

// A name may hold letters, digits, "_" and "\" only, and must not be empty; a target must hold
// no double quote and no line break. Anything else would be read as script, not as a name or a
// text.
bool isLauncherName(const char* name);
bool isLauncherTarget(const char* target);

}  // namespace zorvel
