// The simulated process environment: an ordered list of block strings.
#include "../environment.h"

#include <cstring>
#include <set>

#include "internal.h"
#include "environment_control.h"
#include "sim.h"

namespace platform {
namespace {

struct EnvironmentState {
  std::vector<std::string> entries;
  std::set<char*> copies;  // blocks handed out by GetEnvironmentStrings
};

std::vector<std::string> defaultEntries() {
  return {"=C:=C:\\",
          "ComSpec=C:\\Windows\\system32\\cmd.exe",
          "PATH=C:\\Windows\\system32;C:\\Windows",
          "ProgramFiles=C:\\Program Files",
          "SystemRoot=C:\\Windows",
          "TEMP=C:\\Users\\quenda\\Temp",
          "USERPROFILE=C:\\Users\\quenda",
          "windir=C:\\Windows"};
}

EnvironmentState& state() {
  static EnvironmentState s{defaultEntries(), {}};
  return s;
}

void resetEnvironment() {
  // Copies the code under test still holds are left to it, as heaps are.
  state().entries = defaultEntries();
}

[[maybe_unused]] const bool registered = (sim::registerReset(&resetEnvironment), true);

// The variable a block string defines: up to the first "=" after its first character.
std::string nameOf(const std::string& entry) {
  std::size_t equals = entry.find('=', 1);
  return equals == std::string::npos ? entry : entry.substr(0, equals);
}

std::vector<std::string>::iterator findVariable(const char* name) {
  auto& entries = state().entries;
  for (auto it = entries.begin(); it != entries.end(); ++it)
    if (sim::detail::sameText(nameOf(*it), name)) return it;
  return entries.end();
}

bool validName(const char* name) {
  return name && name[0] != 0 && std::strchr(name + 1, '=') == nullptr;
}

}  // namespace

char* GetEnvironmentStrings() {
  if (DWORD error = sim::enter("GetEnvironmentStrings")) {
    sim::detail::setLastError(error);
    return nullptr;
  }
  std::size_t size = 1;
  for (const auto& entry : state().entries) size += entry.size() + 1;
  char* block = new char[size];
  char* at = block;
  for (const auto& entry : state().entries) {
    std::memcpy(at, entry.c_str(), entry.size() + 1);
    at += entry.size() + 1;
  }
  *at = 0;
  state().copies.insert(block);
  return block;
}

BOOL FreeEnvironmentStringsA(char* block) {
  if (DWORD error = sim::enter("FreeEnvironmentStringsA", {sim::detail::hex(block)})) {
    sim::detail::setLastError(error);
    return kFalse;
  }
  if (state().copies.erase(block) == 0) {
    sim::detail::setLastError(kErrorInvalidParameter);
    return kFalse;
  }
  delete[] block;
  return kTrue;
}

DWORD GetEnvironmentVariableA(const char* name, char* buffer, DWORD size) {
  if (DWORD error = sim::enter("GetEnvironmentVariableA",
                               {sim::detail::text(name), sim::detail::num(size)})) {
    sim::detail::setLastError(error);
    return 0;
  }
  auto it = name ? findVariable(name) : state().entries.end();
  if (it == state().entries.end()) {
    sim::detail::setLastError(kErrorEnvvarNotFound);
    return 0;
  }
  std::size_t equals = it->find('=', 1);
  std::string value = equals == std::string::npos ? "" : it->substr(equals + 1);
  if (value.size() + 1 > size) return static_cast<DWORD>(value.size() + 1);
  std::memcpy(buffer, value.c_str(), value.size() + 1);
  return static_cast<DWORD>(value.size());
}

BOOL SetEnvironmentVariableA(const char* name, const char* value) {
  if (DWORD error = sim::enter("SetEnvironmentVariableA",
                               {sim::detail::text(name), sim::detail::text(value)})) {
    sim::detail::setLastError(error);
    return kFalse;
  }
  if (!validName(name)) {
    sim::detail::setLastError(kErrorInvalidParameter);
    return kFalse;
  }
  auto it = findVariable(name);
  if (!value) {
    if (it != state().entries.end()) state().entries.erase(it);
    return kTrue;
  }
  std::string entry = std::string(name) + "=" + value;
  if (it != state().entries.end())
    *it = entry;
  else
    state().entries.push_back(entry);
  return kTrue;
}

namespace sim {

void setEnvironment(const std::vector<std::string>& entries) {
  state().entries = entries;
}

std::vector<std::string> environmentEntries() {
  return state().entries;
}

int liveEnvironmentBlocks() {
  return static_cast<int>(state().copies.size());
}

}  // namespace sim
}  // namespace platform
