// The simulated registry: keys by their full path under a root, values by name, both compared
// case-insensitively; open keys are handles into that map. Also the simulated version info.
#include "../registry.h"
#include "../version.h"

#include <cstring>
#include <map>
#include <set>

#include "internal.h"
#include "registry_control.h"

namespace platform {
namespace {

struct Value {
  DWORD type;
  std::string bytes;
};

struct Key {
  std::map<std::string, Value> values;  // by upper-cased name
};

struct RegistryState {
  std::map<std::string, Key> keys;             // by upper-cased "ROOT\PATH"
  std::map<std::uintptr_t, std::string> open;  // handle -> key path
  std::uintptr_t nextHandle = 0x2000;
  OSVERSIONINFOEXA version{};
};

OSVERSIONINFOEXA defaultVersion() {
  OSVERSIONINFOEXA v{};
  v.dwOSVersionInfoSize = sizeof v;
  v.dwMajorVersion = 6;
  v.dwMinorVersion = 1;
  v.dwBuildNumber = 7601;
  v.dwPlatformId = kVerPlatformWin32Nt;
  std::strcpy(v.szCSDVersion, "Service Pack 1");
  v.wServicePackMajor = 1;
  v.wProductType = kVerNtWorkstation;
  return v;
}

RegistryState& state() {
  static RegistryState s{{}, {}, 0x2000, defaultVersion()};
  return s;
}

void resetRegistry() {
  RegistryState& s = state();
  s.keys.clear();
  s.open.clear();
  s.version = defaultVersion();
}

[[maybe_unused]] const bool registered = (sim::registerReset(&resetRegistry), true);

std::string upperText(const std::string& text) {
  std::string result = text;
  for (char& c : result) c = sim::detail::upper(c);
  return result;
}

// The path of a predefined root, or "" when the handle is none of them.
std::string rootName(HKEY root) {
  if (root == kHkeyClassesRoot) return "HKCR";
  if (root == kHkeyCurrentUser) return "HKCU";
  if (root == kHkeyLocalMachine) return "HKLM";
  return "";
}

// The key path a root handle stands for: a predefined root or an open key; "" for neither.
std::string basePath(HKEY root) {
  std::string name = rootName(root);
  if (!name.empty()) return name;
  auto it = state().open.find(reinterpret_cast<std::uintptr_t>(root));
  return it == state().open.end() ? std::string() : it->second;
}

// "BASE\A\B" for a subkey "a\\b" ("\" runs and edges ignored), upper-cased.
std::string joinPath(const std::string& base, const std::string& subkey) {
  std::string path = base;
  std::string part;
  for (std::size_t i = 0; i <= subkey.size(); ++i) {
    if (i == subkey.size() || subkey[i] == '\\') {
      if (!part.empty()) path += "\\" + upperText(part);
      part.clear();
    } else {
      part += subkey[i];
    }
  }
  return path;
}

Key& makeKey(HKEY root, const std::string& subkey) {
  std::string base = rootName(root);
  if (base.empty()) sim::detail::fatal("registry: values are set only under a predefined root");
  // Every level on the way exists too.
  std::string full = joinPath(base, subkey);
  for (std::size_t at = full.find('\\'); at != std::string::npos; at = full.find('\\', at + 1))
    state().keys[full.substr(0, at)];
  return state().keys[full];
}

}  // namespace

namespace sim {

void setRegistryValue(HKEY root, const std::string& subkey, const std::string& name,
                      const std::string& bytes, DWORD type) {
  makeKey(root, subkey).values[upperText(name)] = Value{type, bytes};
}

void setRegistryText(HKEY root, const std::string& subkey, const std::string& name,
                     const std::string& text) {
  setRegistryValue(root, subkey, name, text + std::string(1, '\0'), kRegSz);
}

void addRegistryKey(HKEY root, const std::string& subkey) {
  makeKey(root, subkey);
}

int openRegistryKeys() {
  return static_cast<int>(state().open.size());
}

void setVersion(DWORD platformId, DWORD major, DWORD minor, unsigned char productType) {
  OSVERSIONINFOEXA& v = state().version;
  v.dwPlatformId = platformId;
  v.dwMajorVersion = major;
  v.dwMinorVersion = minor;
  v.wProductType = productType;
}

}  // namespace sim

LONG RegOpenKeyExA(HKEY root, const char* subKey, DWORD options, DWORD access, HKEY* result) {
  using sim::detail::hex;
  using sim::detail::num;
  using sim::detail::text;
  DWORD error = sim::enter("RegOpenKeyExA",
                           {hex(root), text(subKey), num(options), num(access), hex(result)});
  if (!result) return static_cast<LONG>(kErrorInvalidParameter);
  *result = nullptr;
  if (error) return static_cast<LONG>(error);
  std::string base = basePath(root);
  if (base.empty()) return static_cast<LONG>(kErrorInvalidHandle);
  std::string path = joinPath(base, subKey ? subKey : "");
  if (path != base && !state().keys.count(path)) return static_cast<LONG>(kErrorFileNotFound);
  std::uintptr_t handle = state().nextHandle;
  state().nextHandle += 4;
  state().open[handle] = path;
  *result = reinterpret_cast<HKEY>(handle);
  return static_cast<LONG>(kErrorSuccess);
}

LONG RegQueryValueExA(HKEY key, const char* valueName, DWORD* reserved, DWORD* type,
                      unsigned char* data, DWORD* size) {
  using sim::detail::hex;
  using sim::detail::text;
  DWORD error = sim::enter("RegQueryValueExA", {hex(key), text(valueName), hex(reserved), hex(type),
                                                hex(data), hex(size)});
  if (error) return static_cast<LONG>(error);
  if (reserved || (data && !size)) return static_cast<LONG>(kErrorInvalidParameter);
  std::string base = basePath(key);
  if (base.empty()) return static_cast<LONG>(kErrorInvalidHandle);
  auto keyIt = state().keys.find(base);
  if (keyIt == state().keys.end()) return static_cast<LONG>(kErrorFileNotFound);
  auto valueIt = keyIt->second.values.find(upperText(valueName ? valueName : ""));
  if (valueIt == keyIt->second.values.end()) return static_cast<LONG>(kErrorFileNotFound);
  const Value& value = valueIt->second;
  const DWORD length = static_cast<DWORD>(value.bytes.size());
  if (type) *type = value.type;
  if (!size) return static_cast<LONG>(kErrorSuccess);
  if (data && length > *size) {
    *size = length;
    return static_cast<LONG>(kErrorMoreData);
  }
  if (data) std::memcpy(data, value.bytes.data(), length);
  *size = length;
  return static_cast<LONG>(kErrorSuccess);
}

LONG RegCloseKey(HKEY key) {
  DWORD error = sim::enter("RegCloseKey", {sim::detail::hex(key)});
  if (error) return static_cast<LONG>(error);
  if (!rootName(key).empty()) return static_cast<LONG>(kErrorSuccess);
  if (!state().open.erase(reinterpret_cast<std::uintptr_t>(key)))
    return static_cast<LONG>(kErrorInvalidHandle);
  return static_cast<LONG>(kErrorSuccess);
}

BOOL GetVersionExA(OSVERSIONINFOA* info) {
  DWORD error =
      sim::enter("GetVersionExA", {sim::detail::num(info ? info->dwOSVersionInfoSize : 0)});
  if (sim::detail::failed(error)) return kFalse;
  if (!info) {
    sim::detail::setLastError(kErrorInvalidParameter);
    return kFalse;
  }
  const OSVERSIONINFOEXA& v = state().version;
  if (info->dwOSVersionInfoSize == sizeof(OSVERSIONINFOEXA)) {
    auto* extended = reinterpret_cast<OSVERSIONINFOEXA*>(info);
    *extended = v;
    extended->dwOSVersionInfoSize = sizeof(OSVERSIONINFOEXA);
    return kTrue;
  }
  if (info->dwOSVersionInfoSize == sizeof(OSVERSIONINFOA)) {
    std::memcpy(info, &v, sizeof(OSVERSIONINFOA));
    info->dwOSVersionInfoSize = sizeof(OSVERSIONINFOA);
    return kTrue;
  }
  sim::detail::setLastError(kErrorInsufficientBuffer);
  return kFalse;
}

}  // namespace platform
