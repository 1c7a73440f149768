// Control interface of the simulated Windows: tests set up state, make operations fail, and read
// the record of calls. Only tests and the simulation include this header.
#pragma once

#include <string>
#include <vector>

#include "../types.h"

namespace platform::sim {

// A fresh machine: an empty C:\ (and D:\), current directory C:\, no injected faults, an empty
// call record, and every area (environment, clipboard, registry, windows, keys, clock) at its
// defaults. Heaps the code under test still holds are left alone.
void reset();

// Each simulated area (files, environment, clipboard, ...) keeps its own state and registers a
// function that puts that state back to its defaults; reset() calls every registered function,
// in registration order. Registering the same function twice has no further effect. The registry
// is a function-local static, so an area may register from a namespace-scope initialiser:
//   namespace { const bool registered = (platform::sim::registerReset(&resetClipboard), true); }
// An area's state must also start at its defaults without a reset() (a fresh process).
void registerReset(void (*fn)());

// Fault injection. The nth call (1-based, counted from now) of the named operation fails with
// `error` as its last error. failAlways makes every call fail until clearFaults.
void failCall(const std::string& operation, int nth, DWORD error);
void failAlways(const std::string& operation, DWORD error);
void clearFaults();
// How many injected faults have fired since the last reset or clearFaults.
int faultsFired();

// The record of calls: one entry per seam call, with its operation name and its arguments as
// texts, in call order. Texts are recorded as they are ("(null)" for a null pointer), numbers
// in decimal, handles and other pointers in hexadecimal with "0x" (a null pointer is "0x0").
struct Call {
  std::string operation;
  std::vector<std::string> args;
};
const std::vector<Call>& calls();
void clearCalls();
// Calls of one operation, in order.
std::vector<Call> callsOf(const std::string& operation);

// For the simulation's own operations: records the call, counts it, and returns the error to
// fail it with (0: go ahead).
DWORD enter(const char* operation, std::vector<std::string> args = {});

// The file system. Paths resolve as the seam's do (relative to the current directory, "\\" or
// "/", any case), but without the 260-character limit, so tests can build trees deeper than it.
// A path that cannot exist (a file in the way, a name with * ? < > | ") aborts the test program.
void addFolder(const std::string& path);                       // with its parents
void addFile(const std::string& path, const std::string& content = "",
             DWORD attributes = kFileAttributeArchive);        // parents created as needed
bool exists(const std::string& path);
bool isFolder(const std::string& path);
std::string fileContent(const std::string& path);              // "" for a missing file
DWORD attributesOf(const std::string& path);                   // 0xFFFFFFFF when missing
// The current directory as GetCurrentDirectoryA gives it: no closing backslash, except at a
// drive root ("C:\\").
std::string currentDirectory();
void setCurrentDirectoryPath(const std::string& path);         // no checks
// Names in a folder in enumeration order (creation order), "." and ".." not included.
std::vector<std::string> folderNames(const std::string& path);
// Open search handles (FindFirstFileA not yet closed).
int openSearches();

}  // namespace platform::sim
