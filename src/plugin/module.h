// Module-wide state: set at load, binding and initialisation, never reset while loaded.
#pragma once

#include "abi.h"

namespace zorvel {

struct ModuleState {
  void* instance = nullptr;
  void* moduleHeap = nullptr;
  const void* hostSlots[abi::kSlotCount] = {};
  abi::word standingValues[abi::kStandingValueCount] = {};
  abi::word rootNamespace = 0;
  abi::word textType = 0;
  abi::word fileClass = 0;
  abi::word folderClass = 0;
};

extern ModuleState module;

}  // namespace zorvel
