// The simulated registry, one map from a key's full path to its values, names compared
// case-insensitively, where an open key is a handle to its path; and the version information.
#include "../registry.h"

#include <algorithm>
#include <cstring>
#include <map>

#include "../version.h"
#include "core.h"

namespace platform {
namespace {

using sim::detail::recordCall;
using sim::detail::upperText;

constexpr const char* kKey = "registry key";

struct Value {
  DWORD type;
  std::string bytes;
};
using Values = std::map<std::string, Value>;  // by upper-cased name

// Every key by its upper-cased full path ("HKCU\\SOFTWARE\\X"), with its values.
sim::detail::AreaState<std::map<std::string, Values>> keys;

// NT 6.1 (build 7601, service pack 1), a workstation.
constexpr OSVERSIONINFOEXA kDefaultVersion{.dwOSVersionInfoSize = sizeof(OSVERSIONINFOEXA),
                                           .dwMajorVersion = 6,
                                           .dwMinorVersion = 1,
                                           .dwBuildNumber = 7601,
                                           .dwPlatformId = kVerPlatformWin32Nt,
                                           .szCSDVersion = "Service Pack 1",
                                           .wServicePackMajor = 1,
                                           .wServicePackMinor = 0,
                                           .wSuiteMask = 0,
                                           .wProductType = kVerNtWorkstation,
                                           .wReserved = 0};
sim::detail::AreaState<OSVERSIONINFOEXA> version(kDefaultVersion);

// The path of a predefined root, or "" when the handle is none of them.
std::string rootName(HKEY root) {
  if (root == kHkeyClassesRoot) return "HKCR";
  if (root == kHkeyCurrentUser) return "HKCU";
  if (root == kHkeyLocalMachine) return "HKLM";
  return "";
}

// The key path a handle stands for: a predefined root or an open key; "" for neither.
std::string basePath(HKEY key) {
  if (auto open = sim::detail::handleData<std::string>(key, kKey)) return *open;
  return rootName(key);
}

// "BASE\A\B" for a subkey "a\\b" (runs of "\" and those at its ends ignored), upper-cased.
std::string joinPath(std::string path, const std::string& subkey) {
  std::size_t at = 0;
  while (at <= subkey.size()) {
    std::size_t end = std::min(subkey.find('\\', at), subkey.size());
    if (end > at) path += "\\" + upperText(subkey.substr(at, end - at));
    at = end + 1;
  }
  return path;
}

LONG result(DWORD code) {
  return static_cast<LONG>(code);
}

}  // namespace

LONG RegOpenKeyExA(HKEY root, const char* subKey, DWORD options, DWORD access, HKEY* opened) {
  DWORD fault = recordCall("RegOpenKeyExA", root, subKey, options, access, opened);
  if (!opened) return result(kErrorInvalidParameter);
  *opened = nullptr;
  if (fault) return result(fault);
  std::string base = basePath(root);
  if (base.empty()) return result(kErrorInvalidHandle);
  std::string path = joinPath(base, subKey ? subKey : "");
  if (path != base && !keys->count(path)) return result(kErrorFileNotFound);
  *opened = sim::detail::openHandle(kKey, std::make_shared<std::string>(path), nullptr, path);
  return result(kErrorSuccess);
}

LONG RegQueryValueExA(HKEY key, const char* valueName, DWORD* reserved, DWORD* type,
                      unsigned char* data, DWORD* size) {
  if (DWORD fault = recordCall("RegQueryValueExA", key, valueName, reserved, type, data, size))
    return result(fault);
  if (reserved || (data && !size)) return result(kErrorInvalidParameter);
  std::string base = basePath(key);
  if (base.empty()) return result(kErrorInvalidHandle);
  auto keyIt = keys->find(base);
  if (keyIt == keys->end()) return result(kErrorFileNotFound);
  auto valueIt = keyIt->second.find(upperText(valueName ? valueName : ""));
  if (valueIt == keyIt->second.end()) return result(kErrorFileNotFound);
  const Value& value = valueIt->second;
  const auto length = static_cast<DWORD>(value.bytes.size());
  if (type) *type = value.type;
  if (!size) return result(kErrorSuccess);
  DWORD room = *size;
  *size = length;
  if (data && length > room) return result(kErrorMoreData);
  if (data) std::memcpy(data, value.bytes.data(), length);
  return result(kErrorSuccess);
}

LONG RegCloseKey(HKEY key) {
  if (DWORD fault = recordCall("RegCloseKey", key)) return result(fault);
  if (!rootName(key).empty() || sim::detail::closeHandle(key, kKey)) return result(kErrorSuccess);
  return result(kErrorInvalidHandle);
}

namespace sim {

void setRegistryValue(HKEY root, const std::string& subkey, const std::string& name,
                      const std::string& bytes, DWORD type) {
  std::string base = rootName(root);
  if (base.empty()) detail::fatal("registry: values are set only under a predefined root");
  // Every key on the way exists too.
  std::string full = joinPath(base, subkey);
  for (std::size_t at = full.find('\\'); at != std::string::npos; at = full.find('\\', at + 1))
    (*keys)[full.substr(0, at)];
  (*keys)[full][upperText(name)] = Value{type, bytes};
}

void setRegistryText(HKEY root, const std::string& subkey, const std::string& name,
                     const std::string& text) {
  setRegistryValue(root, subkey, name, text + std::string(1, '\0'), kRegSz);
}

void setVersion(DWORD platformId, DWORD major, DWORD minor, unsigned char productType) {
  OSVERSIONINFOEXA& v = *version;
  v.dwPlatformId = platformId;
  v.dwMajorVersion = major;
  v.dwMinorVersion = minor;
  v.wProductType = productType;
}
}  // namespace sim

BOOL GetVersionExA(OSVERSIONINFOA* info) {
  DWORD size = info ? info->dwOSVersionInfoSize : 0;
  if (DWORD fault = sim::detail::recordCall("GetVersionExA", size))
    return sim::detail::fail(fault, kFalse);
  if (size != sizeof(OSVERSIONINFOA) && size != sizeof(OSVERSIONINFOEXA))
    return sim::detail::fail(info ? kErrorInsufficientBuffer : kErrorInvalidParameter, kFalse);
  std::memcpy(info, &*version, size);  // the size field stays as the caller set it
  info->dwOSVersionInfoSize = size;
  return kTrue;
}

}  // namespace platform
