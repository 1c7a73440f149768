// The default browser's program, as the registry names it.
#pragma once

#include "plugin/text.h"

namespace zorvel {

// The program path of the default browser's "open" command: the command's folder part followed
// by its file-name part, which drops the quotes around a quoted program and the arguments after
// it. From version code 70 on, the per-user choice for http is looked up; before it, the class
// of ".html". False, with `out` empty, when either registry read fails.
bool findBrowserCommand(TextVar& out);

}  // namespace zorvel
