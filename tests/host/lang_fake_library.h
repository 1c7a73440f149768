// A small library written for the language's tests: a class "thing" whose protocol members log
// each call, and a few root routines that use the host slots the way the real library does
// (arguments, errors, results, printLine, askText/evalNumber, runScript, walking a group and
// callMember). It lets the tests see exactly which protocol members the language drives.
#pragma once

#include <string>
#include <vector>

#include "runtime/runtime.h"

namespace langtest {

// Exports for Runtime::bind.
quenda::LibraryExports fakeLibrary();

// Protocol calls in order: "_new", "_def C:\a", "_set C:\b", "_fSet", "_add x", "_form", "_del".
std::vector<std::string>& protocolLog();
// Objects made by _new and not yet released by _del.
int liveThings();

}  // namespace langtest
