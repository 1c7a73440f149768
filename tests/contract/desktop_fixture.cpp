#include "desktop_fixture.h"

#if defined(_WIN32)
#include <windows.h>
#else
#include "platform/sim/sim.h"
#endif

namespace contract {

#if defined(_WIN32)

void setTestValue(const std::string& subkey, const std::string& name, const std::string& bytes,
                  platform::DWORD type) {
  std::string path = std::string(kTestKey) + (subkey.empty() ? "" : "\\" + subkey);
  ::HKEY key = nullptr;
  ::RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                    nullptr);
  ::RegSetValueExA(key, name.c_str(), 0, type, reinterpret_cast<const BYTE*>(bytes.data()),
                   static_cast<::DWORD>(bytes.size()));
  ::RegCloseKey(key);
}

void clearTestKey() {
  ::RegDeleteTreeA(HKEY_CURRENT_USER, kTestKey);
}

platform::HWND makeTestWindow(bool visible, bool enabled) {
  ::DWORD style = WS_OVERLAPPEDWINDOW | (visible ? WS_VISIBLE : 0) | (enabled ? 0 : WS_DISABLED);
  return ::CreateWindowExA(0, "STATIC", "contract", style, 0, 0, 80, 60, nullptr, nullptr, nullptr,
                           nullptr);
}

void destroyTestWindow(platform::HWND window) {
  if (window) ::DestroyWindow(static_cast<::HWND>(window));
}

#else

void setTestValue(const std::string& subkey, const std::string& name, const std::string& bytes,
                  platform::DWORD type) {
  std::string path = std::string(kTestKey) + (subkey.empty() ? "" : "\\" + subkey);
  platform::sim::setRegistryValue(platform::kHkeyCurrentUser, path, name, bytes, type);
}

void clearTestKey() {
  platform::sim::reset();
}

platform::HWND makeTestWindow(bool visible, bool enabled) {
  return platform::sim::addWindow(platform::GetCurrentThreadId(), visible, enabled);
}

void destroyTestWindow(platform::HWND window) {
  platform::sim::removeWindow(window);
}

#endif

}  // namespace contract
