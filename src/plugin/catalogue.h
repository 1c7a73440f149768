// The three function tables: the class "file", the class "folder" and the root namespace.
#pragma once

#include <cstddef>

namespace zorvel {

struct TableBytes {
  const unsigned char* bytes;
  std::size_t size;
};

// Built from the static catalogue on first use; valid while the library is loaded.
TableBytes fileTable();
TableBytes folderTable();
TableBytes rootTable();

}  // namespace zorvel
