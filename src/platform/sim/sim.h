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

// Fault injection. The nth call (1-based, counted from now) of the named operation fails with
// `error` as its last error. failAlways makes every call fail until clearFaults.
void failCall(const std::string& operation, int nth, DWORD error);
void failAlways(const std::string& operation, DWORD error);
void clearFaults();
// How many injected faults have fired since the last reset or clearFaults.
int faultsFired();

// The record of calls: one entry per seam call, with its operation name and its arguments as
// texts, in call order.
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

// The file system.
void addFolder(const std::string& path);                       // with its parents
void addFile(const std::string& path, const std::string& content = "",
             DWORD attributes = kFileAttributeArchive);        // parents created as needed
bool exists(const std::string& path);
bool isFolder(const std::string& path);
std::string fileContent(const std::string& path);              // "" for a missing file
DWORD attributesOf(const std::string& path);                   // 0xFFFFFFFF when missing
std::string currentDirectory();                                // without the closing backslash
void setCurrentDirectoryPath(const std::string& path);         // no checks
// Names in a folder in enumeration order (creation order), "." and ".." not included.
std::vector<std::string> folderNames(const std::string& path);
// Open search handles (FindFirstFileA not yet closed).
int openSearches();

}  // namespace platform::sim
