// The simulated process environment: an ordered list of block strings.
#include "../environment.h"

#include <cstring>

#include "core.h"

namespace platform {
namespace {

using sim::detail::fail;
using sim::detail::recordCall;

constexpr const char* kCopy = "environment copy";

sim::detail::AreaState<std::vector<std::string>> entries(
    {"=C:=C:\\", "ComSpec=C:\\Windows\\system32\\cmd.exe", "PATH=C:\\Windows\\system32;C:\\Windows",
     "ProgramFiles=C:\\Program Files", "SystemRoot=C:\\Windows", "TEMP=C:\\Users\\quenda\\Temp",
     "USERPROFILE=C:\\Users\\quenda", "windir=C:\\Windows"});

// The entry of a variable: a block string whose text up to its first "=" after the first
// character is the name.
std::vector<std::string>::iterator findVariable(const char* name) {
  auto& all = *entries;
  for (auto it = all.begin(); it != all.end(); ++it)
    if (sim::detail::sameText(it->substr(0, it->find('=', 1)), name)) return it;
  return all.end();
}

}  // namespace

char* GetEnvironmentStrings() {
  if (DWORD fault = recordCall("GetEnvironmentStrings")) return fail(fault, nullptr);
  auto copy = std::make_shared<std::vector<char>>();
  for (const auto& entry : *entries)
    copy->insert(copy->end(), entry.c_str(), entry.c_str() + entry.size() + 1);
  copy->push_back(0);
  sim::detail::openHandle(kCopy, copy, copy->data());
  return copy->data();
}

BOOL FreeEnvironmentStringsA(char* block) {
  if (DWORD fault = recordCall("FreeEnvironmentStringsA", block)) return fail(fault, kFalse);
  if (!sim::detail::closeHandle(block, kCopy)) return fail(kErrorInvalidParameter, kFalse);
  return kTrue;
}

DWORD GetEnvironmentVariableA(const char* name, char* buffer, DWORD size) {
  if (DWORD fault = recordCall("GetEnvironmentVariableA", name, size)) return fail(fault, DWORD{0});
  auto it = name ? findVariable(name) : entries->end();
  if (it == entries->end()) return fail(kErrorEnvvarNotFound, DWORD{0});
  std::size_t equals = it->find('=', 1);
  std::string value = equals == std::string::npos ? "" : it->substr(equals + 1);
  if (value.size() + 1 > size) return static_cast<DWORD>(value.size() + 1);
  std::memcpy(buffer, value.c_str(), value.size() + 1);
  return static_cast<DWORD>(value.size());
}

BOOL SetEnvironmentVariableA(const char* name, const char* value) {
  if (DWORD fault = recordCall("SetEnvironmentVariableA", name, value)) return fail(fault, kFalse);
  if (!name || !*name || std::strchr(name + 1, '=')) return fail(kErrorInvalidParameter, kFalse);
  auto it = findVariable(name);
  if (!value) {
    if (it != entries->end()) entries->erase(it);
  } else if (it != entries->end()) {
    *it = std::string(name) + "=" + value;
  } else {
    entries->push_back(std::string(name) + "=" + value);
  }
  return kTrue;
}

UINT GetWindowsDirectoryA(char* buffer, UINT size) {
  if (DWORD fault = recordCall("GetWindowsDirectoryA", buffer, size)) return fail(fault, UINT{0});
  static const std::string kWindows = "C:\\Windows";
  if (kWindows.size() + 1 > size) return static_cast<UINT>(kWindows.size() + 1);
  std::memcpy(buffer, kWindows.c_str(), kWindows.size() + 1);
  return static_cast<UINT>(kWindows.size());
}

namespace sim {
void setEnvironment(const std::vector<std::string>& strings) {
  *entries = strings;
}
std::vector<std::string> environmentEntries() {
  return *entries;
}
}  // namespace sim

}  // namespace platform
