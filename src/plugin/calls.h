// How every script routine takes its arguments, reports a wrong call and gives its result.
#pragma once

#include <cstdint>

#include "abi.h"
#include "host.h"
#include "text.h"

namespace zorvel {

// Fetches text arguments in order into the variables, stopping at the first that is missing.
// True when all were there.
template <typename... Vars>
bool takeTextArguments(Vars&... variables) {
  return (host::nextArgText(variables.cell()) && ...);
}

// Raises "The minimal argument count is <minimum>!" and returns raiseError's result.
abi::word argumentCountError(std::int32_t minimum);
// Raises "Invalid arguments specified." and returns raiseError's result.
abi::word invalidArgumentsError();

// Asks the host for the text labelled "id" and turns a copy of it into a number.
std::int32_t askNumber();

// Results.
inline abi::word giveText(const char* text) { return host::asWord(host::resultText(text)); }
inline abi::word giveNumber(std::int32_t n) { return host::asWord(host::resultNumber(n)); }
constexpr abi::word kNoResult = 0;

// Value records as routines read them.
bool isTextValue(const abi::ValueRecord* value);
bool isObjectOf(const abi::ValueRecord* value, abi::word classHandle);
// The text of a text value, or the path text of a file or folder object: the first word of
// the value's data block ("" when there is none).
const char* firstWordText(const abi::ValueRecord* value);

}  // namespace zorvel
