// Shell special folders by their CSIDL value.
#pragma once

#include <cstdint>

#include "plugin/text.h"

namespace zorvel {

constexpr std::int32_t kCsidlPersonal = 0x05;
constexpr std::int32_t kCsidlDesktopDirectory = 0x10;
constexpr std::int32_t kCsidlProgramFiles = 0x26;
constexpr std::int32_t kCsidlProfile = 0x28;

// The folder's file-system path followed by a backslash, or empty text when the shell can't
// resolve it or it has no file-system path.
void specialFolderPath(std::int32_t csidl, TextVar& out);

}  // namespace zorvel
