#include "system.h"

#include "memory.h"

namespace zorvel {
namespace {
SystemState* gSystem = nullptr;
SystemState gFallback{};  // used only if the module heap could not give the state block
}  // namespace

void startSystemService() {
  gSystem = static_cast<SystemState*>(moduleAlloc(sizeof(SystemState)));
}

void stopSystemService() {
  // The block and its snapshot lie in the module heap, which unload destroys as a whole.
  gSystem = nullptr;
  gFallback = SystemState{};
}

SystemState& systemState() { return gSystem ? *gSystem : gFallback; }

}  // namespace zorvel
