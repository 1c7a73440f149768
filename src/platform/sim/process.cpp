// The simulated processes: programs are ".exe" and ".com" files of the simulated file system;
// starting one records it instead of running it.
#include "../process.h"

#include <map>
#include <set>

#include "internal.h"
#include "process_control.h"
#include "sim.h"

namespace platform {
namespace {

using sim::detail::num;
using sim::detail::text;

constexpr std::uintptr_t kFirstHandle = 0x7000;
constexpr int kSeErrFnf = 2;         // SE_ERR_FNF
constexpr int kSeErrNoAssoc = 31;    // SE_ERR_NOASSOC
constexpr int kShellSucceeded = 42;  // any value above 32

struct ProcessState {
  std::vector<sim::Process> processes;
  std::map<std::string, std::string> associations;  // upper-case key -> program
  std::set<std::string> runningAlready;             // upper-case program paths
  std::set<HANDLE> open;
  std::uintptr_t nextHandle = kFirstHandle;
};

ProcessState& state() {
  static ProcessState s;
  return s;
}

void resetProcesses() {
  state() = ProcessState{};
}

[[maybe_unused]] const bool registered = (sim::registerReset(&resetProcesses), true);

std::string upperText(std::string s) {
  for (char& c : s) c = sim::detail::upper(c);
  return s;
}

bool endsWith(const std::string& s, const std::string& tail) {
  return s.size() >= tail.size() && sim::detail::sameText(s.substr(s.size() - tail.size()), tail);
}

HANDLE newHandle() {
  auto handle = reinterpret_cast<HANDLE>(state().nextHandle);
  state().nextHandle += 4;
  state().open.insert(handle);
  return handle;
}

// `path` as an absolute path with backslashes, against `base` (an absolute folder).
std::string absolute(std::string path, const std::string& base) {
  for (char& c : path) c = c == '/' ? '\\' : c;
  if (path.size() >= 2 && path[1] == ':') return path;
  if (!path.empty() && path[0] == '\\') return base.substr(0, 2) + path;
  std::string folder = base;
  if (!folder.empty() && folder.back() != '\\') folder += '\\';
  return folder + path;
}

bool hasFolder(const std::string& name) {
  return name.find_first_of("\\/:") != std::string::npos;
}

bool isProgramFile(const std::string& path) {
  return sim::exists(path) && !sim::isFolder(path) &&
         (endsWith(path, ".exe") || endsWith(path, ".com"));
}

// Finds a program file as CreateProcessA does. Empty with `error` set when there is none.
std::string findProgram(std::string name, DWORD& error) {
  std::size_t lastSeparator = name.find_last_of("\\/");
  std::string finalName =
      lastSeparator == std::string::npos ? name : name.substr(lastSeparator + 1);
  if (finalName.find('.') == std::string::npos) name += ".exe";
  std::vector<std::string> candidates;
  if (hasFolder(name)) {
    candidates.push_back(absolute(name, sim::currentDirectory()));
  } else {
    for (const char* folder : {"", "C:\\Windows\\System32", "C:\\Windows"}) {
      candidates.push_back(absolute(name, *folder ? folder : sim::currentDirectory()));
    }
  }
  for (const std::string& candidate : candidates) {
    if (isProgramFile(candidate)) return candidate;
  }
  for (const std::string& candidate : candidates) {
    if (sim::exists(candidate)) {
      error = sim::isFolder(candidate) ? kErrorAccessDenied : kErrorBadExeFormat;
      return {};
    }
  }
  error = kErrorFileNotFound;
  return {};
}

// The program's name as the command line's first token: a quoted text, or up to a blank.
std::string firstToken(const std::string& line) {
  if (!line.empty() && line[0] == '"') {
    std::size_t close = line.find('"', 1);
    return line.substr(1, close == std::string::npos ? std::string::npos : close - 1);
  }
  return line.substr(0, line.find_first_of(" \t"));
}

std::string unquoted(std::string s) {
  if (s.size() >= 2 && s.front() == '"' && s.back() == '"') return s.substr(1, s.size() - 2);
  return s;
}

// The key under which the shell finds the program that opens `target`, or "".
std::string associationKey(const std::string& target, bool isFolder) {
  if (isFolder) return "FOLDER";
  std::size_t colon = target.find(':');
  if (colon != std::string::npos && colon > 1) return upperText(target.substr(0, colon + 1));
  std::size_t dot = target.find_last_of('.');
  std::size_t slash = target.find_last_of("\\/");
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return "";
  return upperText(target.substr(dot));
}

}  // namespace

BOOL CreateProcessA(const char* application, char* commandLine, void* processAttributes,
                    void* threadAttributes, BOOL inheritHandles, DWORD creationFlags,
                    void* environment, const char* currentDirectory, STARTUPINFOA* startupInfo,
                    PROCESS_INFORMATION* processInfo) {
  DWORD injected =
      sim::enter("CreateProcessA",
                 {text(application), text(commandLine), sim::detail::hex(processAttributes),
                  sim::detail::hex(threadAttributes), num(static_cast<DWORD>(inheritHandles)),
                  num(creationFlags), sim::detail::hex(environment), text(currentDirectory),
                  startupInfo ? num(startupInfo->cb) : "(null)",
                  startupInfo ? num(startupInfo->dwFlags) : "(null)",
                  startupInfo ? num(startupInfo->wShowWindow) : "(null)"});
  if (sim::detail::failed(injected)) return kFalse;
  if (!commandLine || !startupInfo || !processInfo || application) {
    sim::detail::setLastError(kErrorInvalidParameter);
    return kFalse;
  }
  DWORD error = 0;
  std::string program = findProgram(firstToken(commandLine), error);
  if (program.empty()) {
    if (error == kErrorBadExeFormat) *processInfo = {};  // as Wine does for a found file
    sim::detail::setLastError(error);
    return kFalse;
  }
  std::string directory = sim::currentDirectory();
  if (currentDirectory) {
    directory = absolute(currentDirectory, sim::currentDirectory());
    if (!sim::isFolder(directory)) {
      *processInfo = {};  // as Wine does once it has found the program
      sim::detail::setLastError(kErrorDirectory);
      return kFalse;
    }
  }
  state().processes.push_back({program, commandLine, directory, creationFlags, startupInfo->dwFlags,
                               startupInfo->wShowWindow, false, "", ""});
  processInfo->hProcess = newHandle();
  processInfo->hThread = newHandle();
  processInfo->dwProcessId = static_cast<DWORD>(state().processes.size() * 4 + 1000);
  processInfo->dwThreadId = processInfo->dwProcessId + 2;
  return kTrue;
}

BOOL ShellExecuteExA(SHELLEXECUTEINFOA* info) {
  DWORD injected = sim::enter(
      "ShellExecuteExA",
      {info ? num(info->cbSize) : "(null)", info ? num(info->fMask) : "",
       info ? sim::detail::hex(info->hwnd) : "", info ? text(info->lpVerb) : "",
       info ? text(info->lpFile) : "", info ? text(info->lpParameters) : "",
       info ? text(info->lpDirectory) : "", info ? num(static_cast<DWORD>(info->nShow)) : ""});
  if (!info || info->cbSize != sizeof(SHELLEXECUTEINFOA)) {
    sim::detail::setLastError(kErrorInvalidParameter);
    return kFalse;
  }
  info->hProcess = nullptr;
  auto fail = [&](DWORD error, int code) {
    info->hInstApp = reinterpret_cast<HMODULE>(static_cast<std::uintptr_t>(code));
    sim::detail::setLastError(error);
    return kFalse;
  };
  if (injected) return fail(injected, kSeErrFnf);

  std::string file = unquoted(text(info->lpFile));
  std::string parameters = info->lpParameters ? info->lpParameters : "";
  std::string directory = info->lpDirectory && *info->lpDirectory
                              ? absolute(info->lpDirectory, sim::currentDirectory())
                              : sim::currentDirectory();
  if (file.empty()) return fail(kErrorFileNotFound, kSeErrFnf);

  std::string program;
  std::string commandLine;
  std::string key = associationKey(file, false);
  bool isAddress = key.size() > 2 && key.back() == ':';
  if (!isAddress) {
    std::string path = absolute(file, directory);
    if (isProgramFile(path)) {
      program = path;
    } else if (!sim::exists(path)) {
      DWORD ignored = 0;
      program = findProgram(hasFolder(file) ? path : file, ignored);
      if (program.empty()) return fail(kErrorFileNotFound, kSeErrFnf);
    } else {
      key = associationKey(path, sim::isFolder(path));
      file = path;
    }
    if (!program.empty()) {
      commandLine = "\"" + program + "\"" + (parameters.empty() ? "" : " " + parameters);
    }
  }
  if (program.empty()) {
    auto found = state().associations.find(key);
    if (key.empty() || found == state().associations.end()) {
      return fail(kErrorNoAssociation, kSeErrNoAssoc);
    }
    program = found->second;
    commandLine =
        "\"" + program + "\" \"" + file + "\"" + (parameters.empty() ? "" : " " + parameters);
  }
  info->hInstApp = reinterpret_cast<HMODULE>(static_cast<std::uintptr_t>(kShellSucceeded));
  if (state().runningAlready.count(upperText(program))) return kTrue;
  state().processes.push_back({program, commandLine, directory, 0, kStartfUseShowWindow,
                               static_cast<WORD>(info->nShow), true, text(info->lpFile),
                               parameters});
  if (info->fMask & kSeeMaskNoCloseProcess) info->hProcess = newHandle();
  return kTrue;
}

BOOL CloseHandle(HANDLE handle) {
  if (sim::detail::failed(sim::enter("CloseHandle", {sim::detail::hex(handle)}))) return kFalse;
  if (!state().open.erase(handle)) {
    sim::detail::setLastError(kErrorInvalidHandle);
    return kFalse;
  }
  return kTrue;
}

namespace sim {

const std::vector<Process>& processes() {
  return state().processes;
}

void associate(const std::string& extensionSchemeOrFolder, const std::string& program) {
  state().associations[upperText(extensionSchemeOrFolder)] = program;
}

void runsAlready(const std::string& program) {
  state().runningAlready.insert(upperText(program));
}

int openProcessHandles() {
  return static_cast<int>(state().open.size());
}

}  // namespace sim
}  // namespace platform
