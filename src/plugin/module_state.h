// Module-wide state: set at load, binding and initialisation, never reset while loaded.
#pragma once

#include <cstdint>

#include "abi.h"

namespace zorvel {

struct ModuleState {
  void* instance = nullptr;
  void* moduleHeap = nullptr;
  std::uint32_t load = 0;  // counts the loads (process attaches) of this process
  const void* hostSlots[abi::kSlotCount] = {};
  abi::word standingValues[abi::kStandingValueCount] = {};
  abi::word rootNamespace = 0;
  abi::word textType = 0;
  abi::word fileClass = 0;
  abi::word folderClass = 0;
};

extern ModuleState module;

// State that a routine keeps from one call to the next, declared by the routine that owns it.
// It reads as zero after every load: what it pointed into went with the module heap at the
// previous unload.
template <typename T>
class LoadState {
 public:
  T& get() {
    if (load_ != module.load) {
      value_ = T{};
      load_ = module.load;
    }
    return value_;
  }

 private:
  T value_{};
  std::uint32_t load_ = 0;
};

}  // namespace zorvel
