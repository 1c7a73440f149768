// A small plug-in written in the tests: it binds like the real one, creates the class "thing"
// (a data block holding one path text, as file objects do) and registers a handful of routines
// that exercise the host slots. Routines record what they saw in `fake::state`.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "plugin/abi.h"
#include "runtime/runtime.h"

namespace fake {

// Builds a function table in the byte format.
class TableBuilder {
 public:
  TableBuilder& fn(const char* name, abi::Routine routine) {
    bytes_.push_back(abi::kTableFunction);
    putName(name);
    auto a = static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(routine));
    for (int i = 0; i < 4; ++i) bytes_.push_back(static_cast<unsigned char>(a >> (8 * i)));
    return *this;
  }
  TableBuilder& group(const char* name) {
    bytes_.push_back(abi::kTableGroup);
    putName(name);
    return *this;
  }
  TableBuilder& end() {
    bytes_.push_back(abi::kTableEnd);
    return *this;
  }
  TableBuilder& raw(std::vector<unsigned char> more) {
    bytes_.insert(bytes_.end(), more.begin(), more.end());
    return *this;
  }
  const std::vector<unsigned char>& bytes() const { return bytes_; }

 private:
  void putName(const char* name) {
    bytes_.insert(bytes_.end(), name, name + std::strlen(name));
    bytes_.push_back(0);
  }
  std::vector<unsigned char> bytes_;
};

struct ThingBlock {
  char* path;
};

struct State {
  const void* slots[abi::kSlotCount] = {};
  abi::word standing[abi::kStandingValueCount] = {};
  abi::word thingClass = 0;
  std::vector<std::string> events;  // "new", "def:<text>", "del:<path>", ...
  std::vector<std::string> seen;    // what routines read
  int liveBlocks = 0;               // thing data blocks not yet released
  std::vector<unsigned char> thingTable;
  std::vector<unsigned char> rootTable;
  std::vector<unsigned char> extraTable;  // registered into the root after rootTable when set
  std::int32_t* heldNumber = nullptr;     // a data block kept by a routine across a callMember
};
inline State state;

template <typename Fn>
Fn slot(int n) {
  return reinterpret_cast<Fn>(const_cast<void*>(state.slots[n]));
}
inline abi::ValueRecord* self() {
  return slot<abi::GetSelfFn>(abi::kGetSelf)();
}
inline abi::word raise(const char* m) {
  return slot<abi::RaiseErrorFn>(abi::kRaiseError)(m);
}
inline abi::word word(const void* p) {
  return static_cast<abi::word>(reinterpret_cast<std::uintptr_t>(p));
}
inline const char* textOf(const abi::ValueRecord* v) {
  return *static_cast<const char* const*>(v->data);
}

inline int ZV_STDCALL assignText(const char* text, char** variable) {
  std::free(*variable);
  *variable = strdup(text ? text : "");
  return 0;
}

// Takes the next argument as a text, or returns false.
inline bool nextText(std::string& out) {
  char* variable = nullptr;
  bool there = slot<abi::NextArgTextFn>(abi::kNextArgText)(&variable) != 0;
  if (there) out = variable;
  std::free(variable);
  return there;
}

inline ThingBlock* thingOf(abi::ValueRecord* v) {
  return static_cast<ThingBlock*>(v->data);
}

// The class protocol, as the real classes follow it.
inline abi::word ZV_STDCALL thingNew() {
  abi::ValueRecord* me = self();
  auto* block = static_cast<ThingBlock*>(std::calloc(1, sizeof(ThingBlock)));
  block->path = strdup("");
  me->data = block;
  me->flags |= abi::kNewFlag;
  ++state.liveBlocks;
  state.events.push_back("new");
  return 0;
}
inline abi::word ZV_STDCALL thingDef() {
  ThingBlock* block = thingOf(self());
  slot<abi::NextArgTextFn>(abi::kNextArgText)(&block->path);
  state.events.push_back(std::string("def:") + block->path);
  return 0;
}
inline abi::word ZV_STDCALL thingDel() {
  ThingBlock* block = static_cast<ThingBlock*>(slot<abi::GetSelfDataFn>(abi::kGetSelfData)());
  state.events.push_back(std::string("del:") + block->path);
  std::free(block->path);
  std::free(block);
  --state.liveBlocks;
  return 0;
}
inline abi::word ZV_STDCALL thingForm() {
  return word(slot<abi::NewTextFn>(abi::kResultText)(thingOf(self())->path));
}
inline abi::word ZV_STDCALL thingSet() {
  abi::ValueRecord* me = self();
  abi::ValueRecord* source = nullptr;
  slot<abi::NextArgValueFn>(abi::kNextArgValue)(&source);
  if (source && source->type == state.standing[abi::kGetTextType]) {
    assignText(textOf(source), &thingOf(me)->path);
  } else if (source && source->type == state.thingClass) {
    assignText(thingOf(source)->path, &thingOf(me)->path);
  }
  return word(me);
}
inline abi::word ZV_STDCALL thingFSet() {
  abi::ValueRecord* target = nullptr;
  slot<abi::NextArgValueFn>(abi::kNextArgValue)(&target);
  if (target && target->type == state.standing[abi::kGetTextType]) {
    abi::ValueRecord* text = slot<abi::NewTextFn>(abi::kResultText)(thingOf(self())->path);
    slot<abi::AssignValueFn>(abi::kAssignValue)(target, text);
  }
  return word(target);
}
// A thing plus a text: a new thing whose path is both joined.
inline abi::word ZV_STDCALL thingAdd() {
  abi::ValueRecord* value = nullptr;
  slot<abi::NextArgValueFn>(abi::kNextArgValue)(&value);
  std::string path = thingOf(self())->path;
  if (value && value->type == state.standing[abi::kGetTextType]) path += textOf(value);
  abi::ValueRecord* made = slot<abi::NewObjectFn>(abi::kResultObject)(state.thingClass);
  assignText(path.c_str(), &thingOf(made)->path);
  return word(made);
}
inline abi::word ZV_STDCALL thingName() {
  return word(slot<abi::NewTextFn>(abi::kResultText)(thingOf(self())->path));
}

inline abi::word ZV_STDCALL noRoutine() {
  return 0;
}

inline abi::word ZV_STDCALL getFunctions(const void* const* table) {
  for (int i = 0; i < abi::kSlotCount; ++i) state.slots[i] = table[i];
  for (int i = 0; i < abi::kStandingValueCount; ++i) {
    state.standing[i] = slot<abi::StandingFn>(i)();
  }
  slot<abi::SetTextAssignerFn>(abi::kSetTextAssigner)(&assignText);
  return 0;
}

inline abi::word ZV_STDCALL initLibrary() {
  abi::word root = state.standing[abi::kGetRootNamespace];
  state.thingClass = slot<abi::CreateClassFn>(abi::kCreateClass)("thing", root);
  auto registerTable = slot<abi::RegisterFunctionsFn>(abi::kRegisterFunctions);
  registerTable(state.thingClass, state.thingTable.data());
  registerTable(root, state.rootTable.data());
  if (!state.extraTable.empty()) registerTable(root, state.extraTable.data());
  return 0;
}

inline abi::word ZV_STDCALL thingClassExport() {
  return state.thingClass;
}

inline std::vector<unsigned char> thingTable() {
  return TableBuilder()
      .fn("_new", thingNew)
      .fn("_def", thingDef)
      .fn("_del", thingDel)
      .fn("_form", thingForm)
      .fn("_set", thingSet)
      .fn("_fSet", thingFSet)
      .fn("_add", thingAdd)
      .fn("name", thingName)
      .end()
      .bytes();
}

// Fresh state with the given root table; the thing table is the standard one.
inline quenda::LibraryExports library(std::vector<unsigned char> rootTable) {
  state = State{};
  state.thingTable = thingTable();
  state.rootTable = std::move(rootTable);
  quenda::LibraryExports e;
  e.getFunctions = getFunctions;
  e.initLibrary = initLibrary;
  e.fileClass = thingClassExport;
  e.folderClass = thingClassExport;
  return e;
}

}  // namespace fake
