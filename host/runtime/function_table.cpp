// Reading the byte-coded function tables a library registers:
//   2 name NUL address(4 bytes, little-endian)  a function
//   1 name NUL entries... 0                     a group
//   0                                           the end of the table (or of a group)
#include <optional>
#include <string>

#include "runtime/runtime.h"

namespace quenda {

namespace {

// Longest name accepted; a table without a terminating NUL stops here instead of reading on.
constexpr std::size_t kMaxNameLength = 1024;

class TableReader {
 public:
  TableReader(const unsigned char* table, std::optional<std::size_t> limit)
      : table_(table), limit_(limit) {}

  FunctionTable read() {
    FunctionTable out;
    if (!table_) {
      out.error = "no table";
      return out;
    }
    readEntries(out.entries, 0);
    out.bytesRead = pos_;
    out.error = error_;
    return out;
  }

 private:
  bool next(unsigned char& byte) {
    if (limit_ && pos_ >= *limit_) {
      return fault("the table runs past its end at byte " + std::to_string(pos_));
    }
    byte = table_[pos_++];
    return true;
  }

  bool fault(std::string message) {
    if (!error_) error_ = std::move(message);
    return false;
  }

  bool readName(std::string& name) {
    std::size_t start = pos_;
    unsigned char c;
    for (;;) {
      if (!next(c)) return false;
      if (c == 0) break;
      if (name.size() == kMaxNameLength) {
        return fault("the name at byte " + std::to_string(start) + " is longer than " +
                     std::to_string(kMaxNameLength) + " bytes");
      }
      name.push_back(static_cast<char>(c));
    }
    if (name.empty())
      return fault("the entry at byte " + std::to_string(start - 1) + " has no name");
    return true;
  }

  bool readEntries(std::vector<TableEntry>& out, int depth) {
    for (;;) {
      std::size_t at = pos_;
      unsigned char kind;
      if (!next(kind)) return false;
      if (kind == abi::kTableEnd) return true;
      TableEntry entry;
      entry.kind = static_cast<abi::TableKind>(kind);
      if (kind == abi::kTableFunction) {
        if (!readName(entry.name)) return false;
        abi::word address = 0;
        for (int i = 0; i < 4; ++i) {
          unsigned char b;
          if (!next(b)) return false;
          address |= static_cast<abi::word>(b) << (8 * i);
        }
        entry.routine = reinterpret_cast<abi::Routine>(static_cast<std::uintptr_t>(address));
      } else if (kind == abi::kTableGroup) {
        if (depth + 1 > kMaxTableDepth) {
          return fault("groups nest deeper than " + std::to_string(kMaxTableDepth) +
                       " levels at byte " + std::to_string(at));
        }
        if (!readName(entry.name)) return false;
        bool closed = readEntries(entry.entries, depth + 1);
        out.push_back(std::move(entry));
        if (!closed) return false;
        continue;
      } else {
        return fault("unknown entry kind " + std::to_string(kind) + " at byte " +
                     std::to_string(at));
      }
      out.push_back(std::move(entry));
    }
  }

  const unsigned char* table_;
  std::optional<std::size_t> limit_;
  std::size_t pos_ = 0;
  std::optional<std::string> error_;
};

}  // namespace

FunctionTable readFunctionTable(const unsigned char* table) {
  return TableReader(table, std::nullopt).read();
}

FunctionTable readFunctionTable(const unsigned char* table, std::size_t limit) {
  return TableReader(table, limit).read();
}

}  // namespace quenda
