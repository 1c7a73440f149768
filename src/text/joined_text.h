// Paths built from pieces, all or nothing: a path missing a piece would name another place.
#pragma once

#include <initializer_list>

#include "plugin/text.h"

namespace zorvel {

// Sets `out` to the pieces joined (none of them may lie in `out`). False, with `out` released,
// when memory ran out on the way.
bool joinText(TextVar& out, std::initializer_list<const char*> pieces);

}  // namespace zorvel
