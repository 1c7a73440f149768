// The simulated start-up services: the common controls do nothing, COM remembers whether it was
// initialised since the last reset.
#include "../startup.h"

#include "core.h"

namespace platform {
namespace {
sim::detail::AreaState<bool> comInitialised(false);

}  // namespace

void InitCommonControls() {
  sim::detail::recordCall("InitCommonControls");
}

HRESULT CoInitialize(void* reserved) {
  if (DWORD fault = sim::detail::recordCall("CoInitialize", reserved)) {
    sim::detail::lastError() = fault;
    return static_cast<HRESULT>(0x80070000u | (fault & 0xFFFFu));  // HRESULT_FROM_WIN32
  }
  if (*comInitialised) return 1;  // S_FALSE
  *comInitialised = true;
  return 0;  // S_OK
}

}  // namespace platform
