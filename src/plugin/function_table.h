// Function tables: the byte-coded lists of names, groups and routine addresses through which the
// host learns the library's script names.
//   2 name NUL address(4 bytes, little-endian)  a function
//   1 name NUL entries... 0                     a group
//   0                                           the end of the table
#pragma once

#include <cstddef>

#include "abi.h"

namespace zorvel {

struct CatalogEntry {
  abi::TableKind kind;  // kTableEnd closes a group or, at the outer level, the table
  const char* name;
  abi::Routine routine;
};

// Bytes that the entries take in the byte format.
constexpr std::size_t functionTableSize(const CatalogEntry* entries, std::size_t count) {
  std::size_t size = 0;
  for (std::size_t i = 0; i < count; ++i) {
    const CatalogEntry& e = entries[i];
    if (e.kind == abi::kTableEnd) {
      size += 1;
      continue;
    }
    std::size_t name = 0;
    while (e.name[name]) ++name;
    size += 1 + name + 1 + (e.kind == abi::kTableFunction ? 4 : 0);
  }
  return size;
}

// Writes the entries in the byte format into `out`, which holds `capacity` bytes. Returns the
// bytes written, or 0 when they would not fit.
std::size_t writeFunctionTable(const CatalogEntry* entries, std::size_t count, unsigned char* out,
                               std::size_t capacity);

}  // namespace zorvel
