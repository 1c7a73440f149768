// Bytes that this program's operator new has handed out and not yet taken back.
#pragma once

#include <cstddef>

std::size_t hostBytesInUse();
