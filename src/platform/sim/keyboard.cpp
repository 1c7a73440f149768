// The simulated keyboard (a down state and a pressed-since bit per key) and a virtual clock.
#include "../keyboard.h"
#include "../sleep.h"

#include <map>

#include "internal.h"
#include "keyboard_control.h"

namespace platform {
namespace {

struct KeyState {
  bool down = false;
  bool pressedSince = false;
  int queries = 0;
};

struct KeyboardState {
  std::map<int, KeyState> keys;
  sim::KeyQueryHook hook;
  std::uint64_t clock = 0;
  std::uint64_t sleeps = 0;
};

KeyboardState& state() {
  static KeyboardState s;
  return s;
}

void resetKeyboard() {
  state() = KeyboardState{};
}

[[maybe_unused]] const bool registered = (sim::registerReset(&resetKeyboard), true);

}  // namespace

namespace sim {

void setKeyDown(int virtualKey, bool down) {
  KeyState& key = state().keys[virtualKey];
  if (down && !key.down) key.pressedSince = true;
  key.down = down;
}

void tapKey(int virtualKey) {
  setKeyDown(virtualKey, true);
  setKeyDown(virtualKey, false);
}

void onKeyQuery(KeyQueryHook hook) {
  state().hook = std::move(hook);
}

int keyQueries(int virtualKey) {
  auto it = state().keys.find(virtualKey);
  return it == state().keys.end() ? 0 : it->second.queries;
}

std::uint64_t clockMs() {
  return state().clock;
}
std::uint64_t sleepCalls() {
  return state().sleeps;
}

}  // namespace sim

SHORT GetAsyncKeyState(int virtualKey) {
  if (DWORD error = sim::enter("GetAsyncKeyState", {sim::detail::snum(virtualKey)})) {
    sim::detail::setLastError(error);
    return 0;
  }
  if (virtualKey < 1 || virtualKey > 254) return 0;
  int query = ++state().keys[virtualKey].queries;
  if (state().hook) {
    // A copy: the hook may replace itself.
    sim::KeyQueryHook hook = state().hook;
    hook(virtualKey, query);
  }
  KeyState& key = state().keys[virtualKey];
  int result = (key.down ? 0x8000 : 0) | (key.pressedSince ? 1 : 0);
  key.pressedSince = false;
  return static_cast<SHORT>(result);
}

void Sleep(DWORD milliseconds) {
  sim::enter("Sleep", {sim::detail::num(milliseconds)});
  state().clock += milliseconds;
  ++state().sleeps;
}

}  // namespace platform
