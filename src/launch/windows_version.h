// A small code for the running Windows version.
#pragma once

#include <cstdint>

namespace zorvel {

// 10, 30, 40 for the 9x family (minor version 0, 10, 90); 5, 20, 50, 60, 65, 70, 75, 80 for NT
// 3 to 6.1 (5.2, 6.0 and 6.1 told apart by workstation or server); 100 for every other system
// and when the version can't be had.
std::int32_t windowsVersionCode();

// The code from which the default browser is the per-user choice.
constexpr std::int32_t kPerUserBrowserChoiceCode = 70;

}  // namespace zorvel
