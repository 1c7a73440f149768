// The simulated processes: programs are ".exe" and ".com" files of the simulated file system;
// starting one records it instead of running it.
#include "../process.h"

#include <map>
#include <set>

#include "core.h"

namespace platform {
namespace {

using sim::detail::fail;
using sim::detail::fullPath;
using sim::detail::upperText;

constexpr int kSeErrFnf = 2;         // SE_ERR_FNF
constexpr int kSeErrNoAssoc = 31;    // SE_ERR_NOASSOC
constexpr int kShellSucceeded = 42;  // any value above 32

struct Processes {
  std::vector<sim::Process> started;
  std::map<std::string, std::string> associations;  // upper-case key -> program
  std::set<std::string> runningAlready;             // upper-case program paths
};

sim::detail::AreaState<Processes> state;

bool hasFolder(const std::string& name) {
  return name.find_first_of("\\/:") != std::string::npos;
}

bool isProgramFile(const std::string& path) {
  return sim::exists(sim::detail::unicodeOf(path)) &&
         !sim::isFolder(sim::detail::unicodeOf(path)) &&
         (upperText(path).ends_with(".EXE") || upperText(path).ends_with(".COM"));
}

// Finds a program file as CreateProcessA does. Empty with `error` set when there is none.
std::string findProgram(std::string name, DWORD& error) {
  std::size_t lastSeparator = name.find_last_of("\\/");
  if (name.find('.', lastSeparator == std::string::npos ? 0 : lastSeparator) == std::string::npos)
    name += ".exe";
  std::vector<std::string> candidates;
  const std::string cwd = sim::currentDirectory();
  if (hasFolder(name)) {
    candidates.push_back(fullPath(name, cwd));
  } else {
    for (const std::string& folder :
         {cwd, std::string("C:\\Windows\\System32"), std::string("C:\\Windows")})
      candidates.push_back(fullPath(name, folder));
  }
  for (const std::string& candidate : candidates)
    if (isProgramFile(candidate)) return candidate;
  error = kErrorFileNotFound;
  for (const std::string& candidate : candidates) {
    if (sim::exists(sim::detail::unicodeOf(candidate))) {
      error = sim::isFolder(sim::detail::unicodeOf(candidate)) ? kErrorAccessDenied
                                                               : kErrorBadExeFormat;
      break;
    }
  }
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
  auto startup = [&](auto member) {
    return startupInfo ? std::to_string(startupInfo->*member) : std::string("(null)");
  };
  DWORD fault = sim::detail::recordCall(
      "CreateProcessA", application, static_cast<const char*>(commandLine), processAttributes,
      threadAttributes, static_cast<DWORD>(inheritHandles), creationFlags, environment,
      currentDirectory, startup(&STARTUPINFOA::cb), startup(&STARTUPINFOA::dwFlags),
      startup(&STARTUPINFOA::wShowWindow));
  if (fault) return fail(fault, kFalse);
  if (!commandLine || !startupInfo || !processInfo || application)
    return fail(kErrorInvalidParameter, kFalse);
  DWORD error = 0;
  std::string program = findProgram(firstToken(commandLine), error);
  if (program.empty()) {
    if (error == kErrorBadExeFormat) *processInfo = {};  // as Wine does for a found file
    return fail(error, kFalse);
  }
  std::string directory = sim::currentDirectory();
  if (currentDirectory) {
    directory = fullPath(currentDirectory, directory);
    if (!sim::isFolder(sim::detail::unicodeOf(directory))) {
      *processInfo = {};  // as Wine does once it has found the program
      return fail(kErrorDirectory, kFalse);
    }
  }
  state->started.push_back({program, commandLine, directory, startupInfo->wShowWindow, false, ""});
  processInfo->hProcess = sim::detail::openHandle("process", {}, nullptr, program);
  processInfo->hThread = sim::detail::openHandle("thread", {}, nullptr, program);
  processInfo->dwProcessId = static_cast<DWORD>(state->started.size() * 4 + 1000);
  processInfo->dwThreadId = processInfo->dwProcessId + 2;
  return kTrue;
}

BOOL ShellExecuteExA(SHELLEXECUTEINFOA* info) {
  DWORD fault =
      info ? sim::detail::recordCall(
                 "ShellExecuteExA", info->cbSize, info->fMask, info->hwnd,
                 sim::detail::argText(info->lpVerb), sim::detail::argText(info->lpFile),
                 sim::detail::argText(info->lpParameters), sim::detail::argText(info->lpDirectory),
                 static_cast<DWORD>(info->nShow))
           : sim::detail::recordCall("ShellExecuteExA", "(null)", "", "", "", "", "", "", "");
  if (!info || info->cbSize != sizeof(SHELLEXECUTEINFOA))
    return fail(kErrorInvalidParameter, kFalse);
  info->hProcess = nullptr;
  auto refuse = [&](DWORD error, int code) {
    info->hInstApp = reinterpret_cast<HMODULE>(static_cast<std::uintptr_t>(code));
    return fail(error, kFalse);
  };
  if (fault) return refuse(fault, kSeErrFnf);

  std::string file = sim::detail::argText(info->lpFile);
  if (file.size() >= 2 && file.front() == '"' && file.back() == '"')
    file = file.substr(1, file.size() - 2);
  std::string parameters = info->lpParameters ? info->lpParameters : "";
  std::string directory = sim::currentDirectory();
  if (info->lpDirectory && *info->lpDirectory) directory = fullPath(info->lpDirectory, directory);
  if (file.empty()) return refuse(kErrorFileNotFound, kSeErrFnf);

  std::string program;
  std::string commandLine;
  std::string key = associationKey(file, false);
  if (key.size() <= 2 || key.back() != ':') {  // not an address
    std::string path = fullPath(file, directory);
    if (isProgramFile(path)) {
      program = path;
    } else if (!sim::exists(sim::detail::unicodeOf(path))) {
      DWORD ignored = 0;
      program = findProgram(hasFolder(file) ? path : file, ignored);
      if (program.empty()) return refuse(kErrorFileNotFound, kSeErrFnf);
    } else {
      key = associationKey(path, sim::isFolder(sim::detail::unicodeOf(path)));
      file = path;
    }
    if (!program.empty())
      commandLine = "\"" + program + "\"" + (parameters.empty() ? "" : " " + parameters);
  }
  if (program.empty()) {
    auto found = state->associations.find(key);
    if (key.empty() || found == state->associations.end())
      return refuse(kErrorNoAssociation, kSeErrNoAssoc);
    program = found->second;
    commandLine =
        "\"" + program + "\" \"" + file + "\"" + (parameters.empty() ? "" : " " + parameters);
  }
  info->hInstApp = reinterpret_cast<HMODULE>(static_cast<std::uintptr_t>(kShellSucceeded));
  if (state->runningAlready.count(upperText(program))) return kTrue;
  state->started.push_back({program, commandLine, directory, static_cast<WORD>(info->nShow), true,
                            sim::detail::argText(info->lpFile)});
  if (info->fMask & kSeeMaskNoCloseProcess)
    info->hProcess = sim::detail::openHandle("process", {}, nullptr, program);
  return kTrue;
}

BOOL CloseHandle(HANDLE handle) {
  if (DWORD fault = sim::detail::recordCall("CloseHandle", handle)) return fail(fault, kFalse);
  if (sim::detail::closeHandle(handle, "process") || sim::detail::closeHandle(handle, "thread") ||
      sim::detail::closeHandle(handle, "file"))
    return kTrue;
  return fail(kErrorInvalidHandle, kFalse);
}

namespace sim {

const std::vector<Process>& processes() {
  return state->started;
}

void associate(const std::string& extensionSchemeOrFolder, const std::string& program) {
  state->associations[upperText(extensionSchemeOrFolder)] = program;
}

void runsAlready(const std::string& program) {
  state->runningAlready.insert(upperText(program));
}

}  // namespace sim
}  // namespace platform
