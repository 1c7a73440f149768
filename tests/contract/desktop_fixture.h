// What the registry and desktop contract tests set up outside the seam (which only reads the
// registry and makes no windows): registry values under a test key of the current user, and
// top-level windows of the calling thread. Natively through the simulation's control interface,
// under Wine through Windows itself.
#pragma once

#include <string>

#include "platform/desktop.h"
#include "platform/registry.h"

namespace contract {

// The key the registry tests use, under HKEY_CURRENT_USER; removed by clearTestKey.
constexpr const char* kTestKey = "Software\\ZorvelContract";
// Stores `bytes` exactly (a text value's zero, if wanted, is part of them) as the value `name`
// of kTestKey\subkey, making the keys on the way.
void setTestValue(const std::string& subkey, const std::string& name, const std::string& bytes,
                  platform::DWORD type = platform::kRegSz);
void clearTestKey();

// A new top-level window of the calling thread, or null when this backend can't show windows
// (Wine without a display). Destroyed by destroyTestWindow.
platform::HWND makeTestWindow(bool visible, bool enabled);
void destroyTestWindow(platform::HWND window);

}  // namespace contract
