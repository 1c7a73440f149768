// Helpers shared by the simulation's areas (files, memory, and those added later). Not for tests:
// tests use sim.h.
#pragma once

#include <cstdint>
#include <string>

#include "../types.h"
#include "sim.h"

namespace platform::sim::detail {

// The process's last error, without recording a call (GetLastError and SetLastError are seam
// calls and are recorded; the simulation's own operations use these).
DWORD lastError();
void setLastError(DWORD code);

// For an operation that enter() told to fail: sets the last error and returns true.
inline bool failed(DWORD error) {
  if (error == 0) return false;
  setLastError(error);
  return true;
}

// Argument texts for the call record.
inline std::string text(const char* s) { return s ? std::string(s) : std::string("(null)"); }
inline std::string num(std::uint64_t n) { return std::to_string(n); }
inline std::string snum(std::int64_t n) { return std::to_string(n); }
std::string hex(const void* p);

// Prints a message about a misuse of the control interface and aborts (tests set up state that
// the simulation cannot represent).
[[noreturn]] void fatal(const std::string& message);

// ASCII case folding as the file system compares names.
inline char upper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }
bool sameText(const std::string& a, const std::string& b);  // case-insensitive

}  // namespace platform::sim::detail
