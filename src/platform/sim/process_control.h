// The simulated processes: what was started, how, and which handles are still open. Tests also
// say here which types and addresses the shell can open.
#pragma once

#include <string>
#include <vector>

#include "../types.h"

namespace platform::sim {

// A program is a file of the simulated file system whose name ends in ".exe" or ".com". A name
// without a folder is looked for in the current directory, C:\Windows\System32 and C:\Windows.
struct Process {
  std::string program;      // the program file that runs, as an absolute path
  std::string commandLine;  // the command line the program receives
  std::string directory;    // the directory it starts in
  DWORD creationFlags;      // CreateProcessA's; 0 for a start by the shell
  DWORD startupFlags;       // STARTUPINFOA.dwFlags; kStartfUseShowWindow for the shell
  WORD showWindow;          // STARTUPINFOA.wShowWindow, or the shell's nShow
  bool byShell;             // started by ShellExecuteExA
  std::string shellFile;    // for a start by the shell: what it was asked to open
  std::string shellParameters;
};
// Every process started since the last reset, in order.
const std::vector<Process>& processes();

// The shell opens files whose name ends in `extension` (".txt"), addresses that begin with
// `scheme` ("http:"), or folders ("folder") with `program`, which gets the file's path in
// double quotes (then the parameters) as its command line.
void associate(const std::string& extensionSchemeOrFolder, const std::string& program);
// The shell hands requests for `program` to an instance that runs already: ShellExecuteExA
// succeeds and gives no process handle, and no new process is recorded.
void runsAlready(const std::string& program);

// Process and thread handles given out and not yet closed.
int openProcessHandles();

}  // namespace platform::sim
