// The contract tests' fixture, per backend. Everything else in tests/contract is one source for
// both backends.
#include "fixture.h"

#include <algorithm>
#include <fstream>
#include <iterator>

#if defined(_WIN32)
#include <windows.h>
#else
#include "platform/sim/sim.h"
#endif

namespace contract {

bool primed(const void* p, std::size_t n) {
  const auto* bytes = static_cast<const unsigned char*>(p);
  return std::all_of(bytes, bytes + n, [](unsigned char b) { return b == kPrime; });
}

#if defined(_WIN32)

namespace {

std::wstring wide(const std::string& text, ::UINT codePage = CP_UTF8) {
  wchar_t out[1024] = L"";
  ::MultiByteToWideChar(codePage, 0, text.c_str(), -1, out, 1024);
  return out;
}

// Removes a folder and everything in it by relative names from inside each folder, so entries
// whose full path is longer than MAX_PATH go too, and through the wide calls, so names the code
// page lacks go too.
void removeTree(const std::wstring& folder) {
  if (::SetCurrentDirectoryW(folder.c_str())) {
    ::WIN32_FIND_DATAW d;
    ::HANDLE h = ::FindFirstFileW(L"*", &d);
    for (bool more = h != INVALID_HANDLE_VALUE; more; more = ::FindNextFileW(h, &d)) {
      std::wstring entry = d.cFileName;
      if (entry == L"." || entry == L"..") continue;
      ::SetFileAttributesW(entry.c_str(), FILE_ATTRIBUTE_NORMAL);
      if (d.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        removeTree(entry);
      } else {
        ::DeleteFileW(entry.c_str());
      }
    }
    if (h != INVALID_HANDLE_VALUE) ::FindClose(h);
    ::SetCurrentDirectoryW(L"..");
  }
  ::RemoveDirectoryW(folder.c_str());
}

}  // namespace

void writeFile(const std::string& utf8Path, const std::string& content) {
  std::ofstream out(wide(utf8Path).c_str(), std::ios::binary);
  // Wine keeps names beyond ASCII only under a UTF-8 locale.
  ASSERT_TRUE(out << content) << utf8Path;
}

std::string readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return in ? std::string(std::istreambuf_iterator<char>(in), {}) : "<missing>";
}

void Folder::SetUp() {
  static int counter = 0;
  char temp[MAX_PATH + 1];
  base = std::string(temp, ::GetTempPathA(sizeof temp, temp)) + "zvc" +
         std::to_string(::GetCurrentProcessId()) + "-" + std::to_string(++counter) + "\\";
  ASSERT_TRUE(::CreateDirectoryA(base.c_str(), nullptr)) << base << ": " << ::GetLastError();
  ASSERT_TRUE(::SetCurrentDirectoryA(base.c_str()));
}

// removeTree leaves the current directory in the temporary folder, outside the removed one.
void Folder::TearDown() {
  removeTree(wide(base, CP_ACP));
  EXPECT_EQ(::GetFileAttributesA(base.c_str()), INVALID_FILE_ATTRIBUTES) << base << " is left";
}

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

#else  // the simulation

std::string readFile(const std::string& ansiPath) {
  std::string path = platform::sim::fromCodePage(ansiPath);
  if (!platform::sim::exists(path) || platform::sim::isFolder(path)) return "<missing>";
  return platform::sim::fileContent(path);
}

// A name beyond ASCII gets a short name too, as Wine gives one.
void writeFile(const std::string& utf8Path, const std::string& content) {
  static int made = 0;
  platform::sim::addFile(utf8Path, content);
  if (std::any_of(utf8Path.begin(), utf8Path.end(), [](unsigned char c) { return c >= 0x80; }))
    platform::sim::setShortName(utf8Path, "ZV~" + std::to_string(++made % 10000) + ".TXT");
}

void Folder::SetUp() {
  platform::sim::reset();
  platform::sim::addFolder("C:\\work");
  platform::sim::setCurrentDirectoryPath("C:\\work");
  base = "C:\\work\\";
}

void Folder::TearDown() {
  EXPECT_EQ(platform::sim::openHandles(), "");
}

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
