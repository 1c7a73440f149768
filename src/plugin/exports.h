// The five exports through which a host loads, binds and initialises the library.
#pragma once

#include "abi.h"

extern "C" {
// reason: 1 process attach, 0 process detach, 2 and 3 thread attach and detach. Always TRUE.
int ZV_STDCALL DllMain(void* instance, abi::word reason, void* reserved);
// Takes a copy of the host's 181 slots, fetches the standing values, hands over assignText.
abi::word ZV_STDCALL QuendaGetFunctions(const void* const* table);
// Creates the classes "file" and "folder" and registers the three function tables.
abi::word ZV_STDCALL InitLibrary();
abi::word ZV_STDCALL FileClass();
abi::word ZV_STDCALL FolderClass();
}
