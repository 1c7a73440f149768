#include "function_table.h"

#include <cstdint>
#include <cstring>

namespace zorvel {

std::size_t writeFunctionTable(const CatalogEntry* entries, std::size_t count, unsigned char* out,
                               std::size_t capacity) {
  if (functionTableSize(entries, count) > capacity) return 0;
  unsigned char* p = out;
  for (std::size_t i = 0; i < count; ++i) {
    const CatalogEntry& e = entries[i];
    *p++ = e.kind;
    if (e.kind == abi::kTableEnd) continue;
    std::size_t name = std::strlen(e.name);
    std::memcpy(p, e.name, name + 1);
    p += name + 1;
    if (e.kind == abi::kTableFunction) {
      auto address = static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(e.routine));
      for (int b = 0; b < 4; ++b) *p++ = static_cast<unsigned char>(address >> (8 * b));
    }
  }
  return static_cast<std::size_t>(p - out);
}

}  // namespace zorvel
