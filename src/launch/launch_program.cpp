#include "launch_program.h"

#include <cstring>

#include "platform/process.h"
#include "plugin/memory.h"
#include "plugin/text.h"
#include "text/path_parts.h"

namespace zorvel {
namespace {

// "program" in double quotes (unless it already begins with one), then a blank and the
// parameters when there are any. `line` holds length(program) + length(parameters) + 4 bytes.
void buildCommandLine(const char* program, const char* parameters, char* line) {
  std::size_t programLength = std::strlen(program);
  std::size_t parametersLength = std::strlen(parameters);
  char* p = line;
  bool quoted = program[0] == '"';
  if (!quoted) *p++ = '"';
  std::memcpy(p, program, programLength);
  p += programLength;
  if (!quoted) *p++ = '"';
  if (parametersLength) {
    *p++ = ' ';
    std::memcpy(p, parameters, parametersLength);
    p += parametersLength;
  }
  *p = 0;
}

bool startProcess(char* commandLine, const char* directory) {
  platform::STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  startup.dwFlags = platform::kStartfUseShowWindow;
  startup.wShowWindow = platform::kSwShowNormal;
  platform::PROCESS_INFORMATION started = {};
  if (!platform::CreateProcessA(nullptr, commandLine, nullptr, nullptr, platform::kFalse,
                                platform::kNormalPriorityClass, nullptr, directory, &startup,
                                &started)) {
    return false;
  }
  platform::CloseHandle(started.hThread);
  platform::CloseHandle(started.hProcess);
  return true;
}

// The folder of a program text, for the shell: up to and including its last backslash. A
// backslash in the first character does not count; without one `out` stays absent.
void programFolder(const char* program, TextVar& out) {
  for (std::size_t i = std::strlen(program); i-- > 1;) {
    if (program[i] == '\\') {
      out.assign(program, i + 1);
      return;
    }
  }
}

}  // namespace

std::int32_t openWithShell(const char* program, const char* parameters, const char* directory) {
  if (!program) program = "";
  if (directory && !*directory) directory = nullptr;
  if (directory && !fitsPath(directory)) return 0;
  platform::SHELLEXECUTEINFOA info = {};
  info.cbSize = sizeof info;
  // No message box: a script that runs unattended must not wait for a user to close one when
  // a document has no known type or a name leads nowhere. The failure is the result.
  info.fMask = platform::kSeeMaskNoCloseProcess | platform::kSeeMaskFlagNoUi;
  info.lpVerb = "";
  info.lpFile = program;
  info.lpParameters = parameters;
  info.lpDirectory = directory;
  info.nShow = platform::kSwShowNormal;
  if (!platform::ShellExecuteExA(&info)) return 0;
  if (info.hProcess) platform::CloseHandle(info.hProcess);
  return 1;
}

std::int32_t launchProgram(const char* program, const char* parameters, const char* directory) {
  if (!program) program = "";
  if (!parameters) parameters = "";
  if (directory && !*directory) directory = nullptr;
  // A folder the platform would refuse: the program in it cannot be started either.
  if (directory && !fitsPath(directory)) return 0;

  std::size_t size = std::strlen(program) + std::strlen(parameters) + 4;
  auto* commandLine = static_cast<char*>(moduleAlloc(size));
  if (!commandLine) return 0;
  buildCommandLine(program, parameters, commandLine);

  std::int32_t result = 1;
  if (!startProcess(commandLine, directory)) {
    TextVar derived;
    if (!directory) {
      programFolder(program, derived);
      if (derived.present() && fitsPath(derived.c_str())) directory = derived.c_str();
    }
    result = openWithShell(program, parameters, directory);
  }
  moduleFree(commandLine);
  return result;
}

}  // namespace zorvel
