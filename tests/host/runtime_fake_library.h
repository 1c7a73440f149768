// A small plug-in written in the tests: it binds like the real one, creates the class "thing"
// (a data block holding one path text, as file objects do) and registers the routines a test
// gives.
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
    put(abi::kTableFunction, name);
    auto a = static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(routine));
    for (int i = 0; i < 4; ++i) bytes_.push_back(static_cast<unsigned char>(a >> (8 * i)));
    return *this;
  }
  TableBuilder& group(const char* name) {
    put(abi::kTableGroup, name);
    return *this;
  }
  TableBuilder& end() {
    bytes_.push_back(abi::kTableEnd);
    return *this;
  }
  const std::vector<unsigned char>& bytes() const { return bytes_; }

 private:
  void put(unsigned char kind, const char* name) {
    bytes_.push_back(kind);
    bytes_.insert(bytes_.end(), name, name + std::strlen(name) + 1);
  }
  std::vector<unsigned char> bytes_;
};

struct State {
  const void* slots[abi::kSlotCount] = {};
  abi::word thingClass = 0;
  int liveBlocks = 0;  // thing data blocks not yet released
  std::vector<unsigned char> thingTable;
  std::vector<unsigned char> rootTable;
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
inline char*& pathOf(abi::ValueRecord* thing) {
  return *static_cast<char**>(thing->data);
}

inline int ZV_STDCALL assignText(const char* text, char** variable) {
  std::free(*variable);
  *variable = strdup(text ? text : "");
  return 0;
}

// The class protocol, as the real classes follow it: the block holds the path.
inline abi::word ZV_STDCALL thingNew() {
  abi::ValueRecord* me = self();
  me->data = std::calloc(1, sizeof(char*));
  pathOf(me) = strdup("");
  me->flags |= abi::kNewFlag;
  ++state.liveBlocks;
  return 0;
}
inline abi::word ZV_STDCALL thingDef() {
  slot<abi::NextArgTextFn>(abi::kNextArgText)(&pathOf(self()));
  return 0;
}
inline abi::word ZV_STDCALL thingDel() {
  auto* block = static_cast<char**>(slot<abi::GetSelfDataFn>(abi::kGetSelfData)());
  std::free(*block);
  std::free(block);
  --state.liveBlocks;
  return 0;
}
inline abi::word ZV_STDCALL thingForm() {
  return word(slot<abi::NewTextFn>(abi::kResultText)(pathOf(self())));
}

inline abi::word ZV_STDCALL getFunctions(const void* const* table) {
  for (int i = 0; i < abi::kSlotCount; ++i) state.slots[i] = table[i];
  slot<abi::SetTextAssignerFn>(abi::kSetTextAssigner)(&assignText);
  return 0;
}

inline abi::word ZV_STDCALL initLibrary() {
  abi::word root = slot<abi::StandingFn>(abi::kGetRootNamespace)();
  state.thingClass = slot<abi::CreateClassFn>(abi::kCreateClass)("thing", root);
  auto registerTable = slot<abi::RegisterFunctionsFn>(abi::kRegisterFunctions);
  registerTable(state.thingClass, state.thingTable.data());
  registerTable(root, state.rootTable.data());
  return 0;
}

inline abi::word ZV_STDCALL thingClassExport() {
  return state.thingClass;
}

// Fresh state with the given root table; "name" is the thing's one method for scripts.
inline quenda::LibraryExports library(std::vector<unsigned char> rootTable) {
  state = State{};
  state.thingTable = TableBuilder()
                         .fn("_new", thingNew)
                         .fn("_def", thingDef)
                         .fn("_del", thingDel)
                         .fn("_form", thingForm)
                         .fn("name", thingForm)
                         .end()
                         .bytes();
  state.rootTable = std::move(rootTable);
  quenda::LibraryExports e;
  e.getFunctions = getFunctions;
  e.initLibrary = initLibrary;
  e.fileClass = thingClassExport;
  e.folderClass = thingClassExport;
  return e;
}

}  // namespace fake
