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

struct DisabledWindow;  // see namespaces/thread_windows.h

// The pickers: the windows they disabled while a dialog is open, and whether the folder picker
// has initialised COM.
struct PickerState {
  DisabledWindow* disabledWindows;  // in the module heap; empty between dialogs
  bool comInitialized;
};

struct SystemState {
  EnvironmentScanState environment;
  PickerState pickers;
};

void startSystemService();
void stopSystemService();
SystemState& systemState();

}  // namespace zorvel
