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

// The shell's step alone: opens `target` (a document, folder or address) with the program
// registered for it, passing `parameters`, in `directory` (null or empty: the current one).
// Never shows a message box. 1 when the shell took it, 0 otherwise.
std::int32_t openWithShell(const char* target, const char* parameters = nullptr,
                           const char* directory = nullptr);

}  // namespace zorvel
