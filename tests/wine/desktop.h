// What the launching, scheduling and picker tests under Wine need beyond the seam: registry
// values they set and take away again, the tests' recorder program, key presses, and the
// dialogs that appear on the display. Included after the seam headers (windows.h redefines
// several of their names as macros).
#pragma once

#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>

#include <chrono>
#include <optional>
#include <string>
#include <thread>

namespace wine {

// A registry value set (or, with no text, taken away) for one test: the old value, or its
// absence, comes back at the end.
class RegistryValue {
 public:
  RegistryValue(HKEY root, std::string key, std::string name, std::optional<std::string> text)
      : root_(root), key_(std::move(key)), name_(std::move(name)) {
    HKEY k = nullptr;
    if (RegOpenKeyExA(root_, key_.c_str(), 0, KEY_READ, &k) == ERROR_SUCCESS) {
      char old[1024];
      DWORD size = sizeof old;
      if (RegQueryValueExA(k, name_.c_str(), nullptr, nullptr, reinterpret_cast<BYTE*>(old),
                           &size) == ERROR_SUCCESS)
        old_ = std::string(old, size ? size - 1 : 0);
      RegCloseKey(k);
    }
    put(text);
  }
  ~RegistryValue() { put(old_); }
  RegistryValue(const RegistryValue&) = delete;
  RegistryValue& operator=(const RegistryValue&) = delete;

 private:
  void put(const std::optional<std::string>& text) {
    HKEY k = nullptr;
    if (text) {
      RegCreateKeyExA(root_, key_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &k, nullptr);
      RegSetValueExA(k, name_.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text->c_str()),
                     static_cast<DWORD>(text->size() + 1));
    } else if (RegOpenKeyExA(root_, key_.c_str(), 0, KEY_SET_VALUE, &k) == ERROR_SUCCESS) {
      RegDeleteValueA(k, name_.c_str());
    }
    if (k) RegCloseKey(k);
  }
  HKEY root_;
  std::string key_;
  std::string name_;
  std::optional<std::string> old_;
};

// The tests' recorder program, beside this test program.
inline std::string recorderPath() {
  char self[MAX_PATH];
  DWORD n = GetModuleFileNameA(nullptr, self, sizeof self);
  std::string path(self, n);
  return path.substr(0, path.find_last_of("\\/") + 1) + "zv_recorder.exe";
}

// True when this process can show windows (Wine needs a display for them).
inline bool canShowWindows() {
  HWND probe = CreateWindowExA(0, "STATIC", "probe", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                               nullptr, nullptr);
  if (!probe) return false;
  DestroyWindow(probe);
  return true;
}

// Waits until `ready()` holds, looking every 50 ms up to one generous deadline (a loaded machine
// may take long to get there); whether it came.
template <class Ready>
bool waitUntil(Ready ready, int seconds = 120) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
  while (!ready()) {
    if (std::chrono::steady_clock::now() >= end) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  return true;
}

inline BOOL CALLBACK findTreeView(HWND child, LPARAM found) {
  char name[32];
  if (GetClassNameA(child, name, sizeof name) && lstrcmpiA(name, WC_TREEVIEWA) == 0) {
    *reinterpret_cast<HWND*>(found) = child;
    return FALSE;
  }
  return TRUE;
}

// The name of the folder a folder browser shows selected, "" while it shows none.
inline std::string browserSelection(HWND dialog) {
  HWND tree = nullptr;
  EnumChildWindows(dialog, findTreeView, reinterpret_cast<LPARAM>(&tree));
  if (!tree) return "";
  auto item = reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, TVGN_CARET, 0));
  if (!item) return "";
  char text[MAX_PATH] = "";
  TVITEMA tv{};
  tv.mask = TVIF_TEXT;
  tv.hItem = item;
  tv.pszText = text;
  tv.cchTextMax = sizeof text;
  SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&tv));
  return text;
}

// A visible dialog of this process: by its caption, or any dialog when `caption` is null.
// Null when none appeared in time.
inline HWND waitForDialog(const char* caption, int seconds = 120) {
  HWND found = nullptr;
  waitUntil(
      [&] {
        for (HWND w = FindWindowA("#32770", caption); w && !found;
             w = FindWindowExA(nullptr, w, "#32770", caption)) {
          DWORD process = 0;
          GetWindowThreadProcessId(w, &process);
          if (process == GetCurrentProcessId() && IsWindowVisible(w)) found = w;
        }
        return found != nullptr;
      },
      seconds);
  return found;
}

// Presses a key (down) or lets it go (up), as the keyboard would.
inline void key(BYTE virtualKey, bool down) {
  keybd_event(virtualKey, 0, down ? 0 : KEYEVENTF_KEYUP, 0);
}

}  // namespace wine
