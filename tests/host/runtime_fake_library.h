// A small plug-in written in the tests: it binds like the real one and registers the routines a
// test gives, which reach the host through `fake::slot`.
#pragma once

#include <algorithm>
#include <cstdint>
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

inline const void* slots[abi::kSlotCount];
inline std::vector<unsigned char> rootTable;

template <typename Fn>
Fn slot(int n) {
  return reinterpret_cast<Fn>(const_cast<void*>(slots[n]));
}
inline abi::word word(const void* p) {
  return static_cast<abi::word>(reinterpret_cast<std::uintptr_t>(p));
}

inline abi::word ZV_STDCALL getFunctions(const void* const* table) {
  std::copy(table, table + abi::kSlotCount, slots);
  return 0;
}
inline abi::word ZV_STDCALL initLibrary() {
  abi::word root = slot<abi::StandingFn>(abi::kGetRootNamespace)();
  slot<abi::RegisterFunctionsFn>(abi::kRegisterFunctions)(root, rootTable.data());
  return 0;
}
inline abi::word ZV_STDCALL noClass() {
  return 0;
}

inline quenda::LibraryExports library(std::vector<unsigned char> table) {
  rootTable = std::move(table);
  return {.getFunctions = getFunctions,
          .initLibrary = initLibrary,
          .fileClass = noClass,
          .folderClass = noClass};
}

}  // namespace fake
