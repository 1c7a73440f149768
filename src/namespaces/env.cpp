// env.get, env.set, env.all and env.showAll: the process's environment variables.
#include "environment_scan.h"
#include "platform/environment.h"
#include "plugin/calls.h"
#include "plugin/memory.h"
#include "plugin/routines.h"

namespace zorvel {

ZV_ROUTINE(envGet) {
  TextVar name;
  if (!takeTextArguments(name)) return argumentCountError(1);
  platform::DWORD size = platform::GetEnvironmentVariableA(name.c_str(), nullptr, 0);
  std::size_t length = size ? size - 1 : 0;
  auto* buffer = static_cast<char*>(moduleAlloc(length + 1));
  if (!buffer) return giveText("");
  platform::DWORD read = platform::GetEnvironmentVariableA(
      name.c_str(), buffer, static_cast<platform::DWORD>(length + 1));
  // Only what Windows wrote counts: a failed or oversized read gives the empty text.
  buffer[read <= length ? read : 0] = 0;
  abi::word result = giveText(buffer);
  moduleFree(buffer);
  return result;
}

ZV_ROUTINE(envSet) {
  TextVar name, value;
  if (!takeTextArguments(name, value)) return argumentCountError(2);
  // A value that could not be copied (no memory) must not replace the old one.
  if (!value.present()) return kNoResult;
  // An empty value stays the empty text: a null value would delete the variable.
  platform::SetEnvironmentVariableA(name.c_str(), value.c_str());
  return kNoResult;
}

ZV_ROUTINE(envAll) {
  abi::ValueRecord* list = host::resultList();
  if (openEnvironmentScan()) {
    TextVar name;
    while (nextEnvironmentEntry()) {
      environmentEntryName(name);
      abi::ValueRecord* nameValue = host::newText(name.c_str());
      abi::ValueRecord* valueValue = host::newText(environmentEntryValue());
      abi::ValueRecord* pair = host::newList();
      host::listAppend(pair, nameValue);
      host::listAppend(pair, valueValue);
      host::listAppend(list, pair);
    }
  }
  return host::asWord(list);
}

ZV_ROUTINE(envShowAll) {
  if (openEnvironmentScan()) {
    TextVar name;
    while (nextEnvironmentEntry()) {
      environmentEntryName(name);
      host::printLine(name.c_str());
    }
  }
  return kNoResult;
}

}  // namespace zorvel
