#include "console/library.h"

#include "platform/files.h"
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

// A relative --lib names a file in the current directory. Windows would look for it beside the
// program first, and could load another copy of the same name from there.
std::string absoluteLibraryPath(const std::string& path) {
  auto separator = [](char c) { return c == '\\' || c == '/'; };
  // A path from a root, or on a drive (C:\x.dll, and C:x.dll, which Windows resolves itself).
  bool anchored = (!path.empty() && separator(path[0])) || (path.size() > 1 && path[1] == ':');
  if (anchored || path.empty()) return path;
  std::string folder(platform::kMaxPath, '\0');
  while (true) {
    platform::DWORD size = static_cast<platform::DWORD>(folder.size());
    platform::DWORD length = platform::GetCurrentDirectoryA(size, folder.data());
    if (length == 0) return path;
    if (length < size) {
      folder.resize(length);
      break;
    }
    folder.resize(length);  // the size it needs, its NUL included
  }
  if (!separator(folder.back())) folder += '\\';
  return folder + path;
}

Result attachLibrary(Runtime& runtime, const std::optional<std::string>& path) {
#if defined(_WIN32)
  std::string file = path ? absoluteLibraryPath(*path) : defaultLibraryPath();
#else
  if (!path) return runtime.bind(linkedLibrary());
  std::string file = absoluteLibraryPath(*path);
#endif
  Result loaded = runtime.load(file);
  if (!loaded.ok() && loaded.error->find("(error 126)") != std::string::npos) {
    *loaded.error += ": no such file, or a library it needs is missing";
  } else if (!loaded.ok() && loaded.error->find("(error 193)") != std::string::npos) {
    *loaded.error += ": not a 32-bit Windows library";
  }
  return loaded;
}

}  // namespace quenda::console
