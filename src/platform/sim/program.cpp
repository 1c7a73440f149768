#include "../program.h"

#include <cstring>
#include <string>

#include "console_control.h"
#include "internal.h"

namespace platform {
namespace {

std::string& programPath() {
  static std::string path = "C:\\quenda\\quenda.exe";
  return path;
}

}  // namespace

DWORD GetModuleFileNameA(HMODULE module, char* buffer, DWORD size) {
  if (sim::detail::failed(
          sim::enter("GetModuleFileNameA", {sim::detail::hex(module), sim::detail::num(size)})))
    return 0;
  if (size == 0 || !buffer) return 0;
  const std::string& path = programPath();
  if (path.size() < size) {
    std::memcpy(buffer, path.c_str(), path.size() + 1);
    return static_cast<DWORD>(path.size());
  }
  std::memcpy(buffer, path.data(), size);
  sim::detail::setLastError(kErrorInsufficientBuffer);
  return size;
}

namespace sim {

void setProgramPath(const std::string& path) {
  programPath() = path;
}

}  // namespace sim
}  // namespace platform
