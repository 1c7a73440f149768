#include "environment_scan.h"

#include <cstring>

#include "platform/environment.h"
#include "plugin/memory.h"
#include "plugin/module_state.h"

namespace zorvel {
namespace {

// The walk: a private copy of the environment block, in the module heap, and the current entry.
// One for the process; each opening replaces the previous snapshot.
struct EnvironmentWalk {
  char* snapshot;
  char* cursor;  // null before the first step
};
LoadState<EnvironmentWalk> gWalk;

EnvironmentWalk& scanState() {
  return gWalk.get();
}

// Bytes of a block up to and including the NUL of the empty string that ends it.
std::size_t blockSize(const char* block) {
  const char* at = block;
  while (*at) at += std::strlen(at) + 1;
  return static_cast<std::size_t>(at - block) + 1;
}

const char* currentEquals() {
  const char* entry = scanState().cursor;
  return entry ? std::strchr(entry, '=') : nullptr;
}

}  // namespace

bool openEnvironmentScan() {
  EnvironmentWalk& scan = scanState();
  moduleFree(scan.snapshot);
  scan = EnvironmentWalk{};
  char* block = platform::GetEnvironmentStrings();
  if (!block) return false;
  std::size_t size = blockSize(block);
  auto* snapshot = static_cast<char*>(moduleAlloc(size));
  if (snapshot) {
    std::memcpy(snapshot, block, size);
    scan.snapshot = snapshot;
  }
  // Released on both paths: the block is the system's copy, not ours to keep.
  platform::FreeEnvironmentStringsA(block);
  return snapshot != nullptr;
}

bool nextEnvironmentEntry() {
  EnvironmentWalk& scan = scanState();
  if (!scan.snapshot) return false;
  if (!scan.cursor) {
    scan.cursor = scan.snapshot;
  } else {
    if (*scan.cursor == 0) return false;
    scan.cursor += std::strlen(scan.cursor) + 1;
  }
  return *scan.cursor != 0;
}

void environmentEntryName(TextVar& out) {
  const char* equals = currentEquals();
  std::size_t length = equals ? static_cast<std::size_t>(equals - scanState().cursor) : 0;
  out.assign(scanState().cursor, length);
  // Without memory for the copy the variable would still hold the previous entry's name.
  if (out.size() != length || !out.present()) out.clear();
}

const char* environmentEntryValue() {
  const char* equals = currentEquals();
  return equals ? equals + 1 : "";
}

}  // namespace zorvel
