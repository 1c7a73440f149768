// The binary interface between the plug-in and its host. Both sides include this header, so the
// record layouts and slot numbers exist exactly once.
#pragma once

#include <cstddef>
#include <cstdint>

#if defined(_WIN32)
#define ZV_STDCALL __stdcall
#else
#define ZV_STDCALL __attribute__((stdcall))
#endif

namespace abi {

using word = std::uint32_t;
static_assert(sizeof(void*) == 4, "the interface is 32-bit: build with -m32 or for i686");

struct ValueRecord {
  word type;   // class handle or the text type handle
  void* data;  // data block
  word flags;  // _new sets kNewFlag
};
static_assert(sizeof(ValueRecord) == 12);
constexpr word kNewFlag = 2;

struct MemberRecord {
  word host0;
  word host1;
  const char* name;
  ValueRecord** valueCell;
};
static_assert(offsetof(MemberRecord, name) == 8 && offsetof(MemberRecord, valueCell) == 12);

// A script routine named in a function table.
using Routine = word(ZV_STDCALL*)();
// The routine the host calls to store a text into a library text variable.
using TextAssigner = int(ZV_STDCALL*)(const char* text, char** variable);

constexpr int kSlotCount = 181;
constexpr int kStandingValueCount = 14;

enum Slot : int {
  kGetRootNamespace = 2,
  kGetTextType = 9,
  kGetSelf = 14,
  kGetSelfData = 15,
  kRaiseError = 27,
  kRunScript = 28,
  kEvalNumber = 29,
  kAssignValue = 57,
  kNewObject = 62,
  kNewText = 68,
  kNewList = 69,
  kResultObject = 73,
  kResultNumber = 74,
  kResultText = 79,
  kResultList = 80,
  kNextArgValue = 91,
  kNextArgText = 97,
  kListAppend = 109,
  kCreateClass = 111,
  kFirstMember = 113,
  kCallMember = 119,
  kNextMember = 152,
  kFindNamespace = 154,
  kRegisterFunctions = 156,
  kPrintLine = 161,
  kAskText = 163,
  kSetTextAssigner = 180,
};

// Slot signatures, all __stdcall.
using StandingFn = word(ZV_STDCALL*)();
using GetSelfFn = ValueRecord*(ZV_STDCALL*)();
using GetSelfDataFn = void*(ZV_STDCALL*)();
using RaiseErrorFn = word(ZV_STDCALL*)(const char* message);
using RunScriptFn = word(ZV_STDCALL*)(const char* source);
using EvalNumberFn = std::int32_t(ZV_STDCALL*)(const char* text);
using AssignValueFn = word(ZV_STDCALL*)(ValueRecord* target, ValueRecord* source);
using NewObjectFn = ValueRecord*(ZV_STDCALL*)(word classHandle);
using NewTextFn = ValueRecord*(ZV_STDCALL*)(const char* text);
using NewListFn = ValueRecord*(ZV_STDCALL*)();
using ResultNumberFn = ValueRecord*(ZV_STDCALL*)(std::int32_t n);
using NextArgValueFn = word(ZV_STDCALL*)(ValueRecord** out);
using NextArgTextFn = word(ZV_STDCALL*)(char** textVariable);
using ListAppendFn = word(ZV_STDCALL*)(ValueRecord* list, ValueRecord* value);
using CreateClassFn = word(ZV_STDCALL*)(const char* name, word namespaceHandle);
using FirstMemberFn = MemberRecord*(ZV_STDCALL*)(word groupOrMember);
using CallMemberFn = word(ZV_STDCALL*)(MemberRecord* member, std::int32_t minusOne,
                                      std::int32_t zero);
using NextMemberFn = MemberRecord*(ZV_STDCALL*)(MemberRecord* member);
using FindNamespaceFn = word(ZV_STDCALL*)(const char* name, std::int32_t minusOne);
using RegisterFunctionsFn = word(ZV_STDCALL*)(word namespaceOrClass, const unsigned char* table);
using PrintLineFn = word(ZV_STDCALL*)(std::int32_t zero, const char* text, std::int32_t zero2);
using AskTextFn = const char*(ZV_STDCALL*)(const char* label, std::int32_t zero);
using SetTextAssignerFn = word(ZV_STDCALL*)(TextAssigner assign);

// Function-table entry kinds.
enum TableKind : unsigned char { kTableEnd = 0, kTableGroup = 1, kTableFunction = 2 };

// The exports, as a host sees them.
using GetFunctionsExport = word(ZV_STDCALL*)(const void* const* table);
using InitLibraryExport = word(ZV_STDCALL*)();
using ClassExport = word(ZV_STDCALL*)();

}  // namespace abi
