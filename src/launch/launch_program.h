// The library's one way of starting another program: a process from a command line, or, when
// that fails, the shell's opening of the program text (documents, addresses, registered types).
#pragma once

#include <cstdint>

namespace zorvel {

// Starts `program` with `parameters` in `directory` (any of them null or empty: none). Returns
// 1 when the program was started, directly or by the shell, 0 when neither way worked. Waits for
// nothing and keeps no handle.
std::int32_t launchProgram(const char* program, const char* parameters = nullptr,
                           const char* directory = nullptr);

}  // namespace zorvel
