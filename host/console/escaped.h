// Text shown on the terminal as it is written, control characters included, without acting on
// them: an error may quote a script's text or a path.
#pragma once

#include <string>
#include <string_view>

namespace quenda::console {

// The text with each control character (below 32, and 127) written as \t, \n, \r or \xHH.
// Other bytes, a backslash and letters beyond ASCII included, stay as they are.
std::string escapedControls(std::string_view text);

}  // namespace quenda::console
