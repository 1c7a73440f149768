// What the simulated areas share: the one entry of every operation (it records the call and
// gives an injected fault), failing with an error code, and the handle table. Tests use sim.h.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "../types.h"
#include "sim.h"

namespace platform::sim::detail {

// The process's last error (one thread), which GetLastError reads and fail() sets.
DWORD& lastError();

// An argument as the call record shows it: a text as it is ("(null)" for none), a number in
// decimal, a pointer or handle in hexadecimal ("0x0" for null). A char* is a buffer to be
// written, shown by its address.
std::string pointerText(const void* pointer);
template <typename T>
std::string argText(const T& value) {
  if constexpr (std::is_same_v<T, char*>)
    return pointerText(value);
  else if constexpr (std::is_same_v<T, const char*>)
    return value ? value : "(null)";
  else if constexpr (std::is_constructible_v<std::string, T>)
    return value;
  else if constexpr (std::is_integral_v<T>)
    return std::to_string(value);
  else
    return pointerText(value);
}

DWORD recordCallTexts(const char* operation, std::vector<std::string> args);
// Every simulated operation starts here: it records the call with its arguments and gives the
// error of the fault injected into this call, 0 when there is none.
template <typename... Args>
DWORD recordCall(const char* operation, const Args&... args) {
  return recordCallTexts(operation, {argText(args)...});
}

// The one way an operation fails: the last error set to `error`, and `result` given back.
template <typename T>
T fail(DWORD error, T result) {
  lastError() = error;
  return result;
}

// The handle table: everything the simulated Windows hands out and wants back. `handle` is the
// address of memory handed out as such, or null for a fresh handle (freshHandle: one never given
// out before). An entry open already is opened once more (a module loaded twice).
HANDLE freshHandle();
HANDLE openHandle(const char* kind, std::shared_ptr<void> data = {}, void* handle = nullptr,
                  std::string name = {});
// How often `handle` is open as `kind`; 0 when it is not.
int openCount(HANDLE handle, const char* kind);
// The data of an open handle of `kind`, or null.
std::shared_ptr<void> openData(HANDLE handle, const char* kind);
template <typename T>
std::shared_ptr<T> handleData(HANDLE handle, const char* kind) {
  return std::static_pointer_cast<T>(openData(handle, kind));
}
// Closes one opening; false when `handle` is not open as `kind`.
bool closeHandle(HANDLE handle, const char* kind);

// Prints a misuse of the control interface (a state the simulation cannot hold) and aborts.
[[noreturn]] void fatal(const std::string& message);

// The full path of `path` with `directory` (a full path) as the current directory, as the file
// system's calls resolve it; "" when it has none.
std::string fullPath(const std::string& path, const std::string& directory);

// Texts of the ANSI code page (sim::setCodePage) and the Unicode they stand for, which the file
// system keeps as UTF-8. unicodeOf: as MultiByteToWideChar converts (UTF-8 code page: malformed
// bytes become U+FFFD); ansiOf: false when a character has no exact form in the code page, which
// then stands as '?' (never a look-alike); utf16Length: the UTF-16 units of UTF-8 text, as Windows counts a name's length.
std::string unicodeOf(std::string_view ansi);
bool ansiOf(std::string_view unicode, std::string& out);
std::size_t utf16Length(std::string_view unicode);

// The descriptor a console output handle writes to, or -1 for a handle that is not one.
int consoleOutputDescriptor(HANDLE handle);

// An item list in shell memory for a folder, as SHGetPathFromIDListA reads it; an empty path
// makes an item without a file-system path (the computer, the desktop's root).
ITEMIDLIST* makeItemList(const std::string& path);

// The shell library's folder browser exports ("SHBrowseForFolder", "SHGetPathFromIDList").
std::vector<Export> folderBrowserExports();

// ASCII case folding, as the file system, the environment and the registry compare names.
inline char upper(char c) {
  return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}
std::string upperText(std::string text);
inline bool sameText(const std::string& a, const std::string& b) {
  return upperText(a) == upperText(b);
}

// An area's state: at its defaults from the start, and again after every reset() (which runs
// what onReset registered). Never destroyed, so code that runs during static destruction may
// still use the simulation.
void onReset(std::function<void()> resetArea);
template <typename T>
class AreaState {
 public:
  AreaState() : AreaState(std::function<T()>([] { return T{}; })) {}
  explicit AreaState(T defaults) : AreaState(std::function<T()>([defaults] { return defaults; })) {}
  T& operator*() { return value_; }
  T* operator->() { return &value_; }

 private:
  explicit AreaState(std::function<T()> make) : value_(*new T(make())) {
    onReset([this, make] { value_ = make(); });
  }
  T& value_;
};

}  // namespace platform::sim::detail
