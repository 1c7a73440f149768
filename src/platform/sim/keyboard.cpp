// The simulated keyboard, a down state and a pressed-since bit per key; and Sleep, which does
// not wait (tests read what it was asked for in the call record).
#include "../keyboard.h"

#include <map>

#include "../sleep.h"
#include "core.h"

namespace platform {
namespace {

struct Key {
  bool down = false;
  bool pressedSince = false;
  int queries = 0;
};

struct Keyboard {
  std::map<int, Key> keys;
  sim::KeyQueryHook hook;
};

sim::detail::AreaState<Keyboard> keyboard;

}  // namespace

namespace sim {

void setKeyDown(int virtualKey, bool down) {
  Key& key = keyboard->keys[virtualKey];
  if (down && !key.down) key.pressedSince = true;
  key.down = down;
}

void onKeyQuery(KeyQueryHook hook) {
  keyboard->hook = std::move(hook);
}

int keyQueries(int virtualKey) {
  auto it = keyboard->keys.find(virtualKey);
  return it == keyboard->keys.end() ? 0 : it->second.queries;
}

}  // namespace sim

SHORT GetAsyncKeyState(int virtualKey) {
  if (DWORD fault = sim::detail::recordCall("GetAsyncKeyState", virtualKey))
    return sim::detail::fail(fault, SHORT{0});
  if (virtualKey < 1 || virtualKey > 254) return 0;
  int query = ++keyboard->keys[virtualKey].queries;
  // A copy: the hook may replace itself.
  if (sim::KeyQueryHook hook = keyboard->hook) hook(virtualKey, query);
  Key& key = keyboard->keys[virtualKey];
  WORD state = (key.down ? kKeyDown : 0) | (key.pressedSince ? kKeyPressedSince : 0);
  key.pressedSince = false;
  return static_cast<SHORT>(state);
}

void Sleep(DWORD milliseconds) {
  sim::detail::recordCall("Sleep", milliseconds);
}

}  // namespace platform
