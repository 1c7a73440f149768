// The system service: process-wide state of the library's walks, zeroed at load.
#pragma once

#include <cstddef>

namespace zorvel {

// The walk over the environment block: a private copy of the block and the current entry.
struct EnvironmentScanState {
  char* snapshot;  // in the module heap; owned; replaced by the next walk
  std::size_t size;
  char* cursor;  // null before the first step
};

struct SystemState {
  EnvironmentScanState environment;
};

void startSystemService();
void stopSystemService();
SystemState& systemState();

}  // namespace zorvel
