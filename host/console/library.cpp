#include "console/library.h"

#include "platform/program.h"

#if !defined(_WIN32)
#include "runtime/linked.h"
#endif

namespace quenda::console {

std::string defaultLibraryPath() {
  // Paths longer than MAX_PATH are possible; ask with growing buffers until the path fits.
  std::string buffer(platform::kMaxPath, '\0');
  while (true) {
    platform::DWORD size = static_cast<platform::DWORD>(buffer.size());
    platform::DWORD length = platform::GetModuleFileNameA(nullptr, buffer.data(), size);
    if (length == 0) return "zorvel.dll";
    if (length < size) {
      buffer.resize(length);
      break;
    }
    if (buffer.size() >= 32768) return "zorvel.dll";
    buffer.resize(buffer.size() * 2);
  }
  std::size_t slash = buffer.find_last_of("\\/");
  return (slash == std::string::npos ? std::string() : buffer.substr(0, slash + 1)) + "zorvel.dll";
}

Result attachLibrary(Runtime& runtime, const std::optional<std::string>& path) {
#if defined(_WIN32)
  std::string file = path ? *path : defaultLibraryPath();
#else
  if (!path) return runtime.bind(linkedLibrary());
  std::string file = *path;
#endif
  Result loaded = runtime.load(file);
  if (!loaded.ok() && loaded.error->find("(error 126)") != std::string::npos) {
    *loaded.error += ": no such file, or a library it needs is missing";
  }
  return loaded;
}

}  // namespace quenda::console
