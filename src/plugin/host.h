// Typed calls into the host's slots (the table copied at binding).
#pragma once

#include <cstdint>

#include "abi.h"

namespace zorvel::host {

abi::ValueRecord* getSelf();
void* getSelfData();
abi::word raiseError(const char* message);
abi::word runScript(const char* source);
std::int32_t evalNumber(const char* text);
abi::word assignValue(abi::ValueRecord* target, abi::ValueRecord* source);
abi::ValueRecord* newObject(abi::word classHandle);
abi::ValueRecord* newText(const char* text);
abi::ValueRecord* newList();
abi::ValueRecord* resultObject(abi::word classHandle);
abi::ValueRecord* resultNumber(std::int32_t n);
abi::ValueRecord* resultText(const char* text);
abi::ValueRecord* resultList();
abi::ValueRecord* nextArgValue();  // the next argument's value record, or null
bool nextArgText(char** textVariable);
abi::word listAppend(abi::ValueRecord* list, abi::ValueRecord* value);
abi::word createClass(const char* name, abi::word namespaceHandle);
abi::MemberRecord* firstMember(abi::word groupOrMember);
abi::word callMember(abi::MemberRecord* member);
abi::MemberRecord* nextMember(abi::MemberRecord* member);
abi::word findNamespace(const char* name);
abi::word registerFunctions(abi::word namespaceOrClass, const unsigned char* table);
abi::word printLine(const char* text);
const char* askText(const char* label);

// A value record's address as a routine's result word.
inline abi::word asWord(abi::ValueRecord* value) {
  return static_cast<abi::word>(reinterpret_cast<std::uintptr_t>(value));
}

}  // namespace zorvel::host
