// The simulated keyboard and clock: tests press and release keys, and Sleep advances a virtual
// clock instead of waiting.
#pragma once

#include <cstdint>
#include <functional>

#include "../types.h"

namespace platform::sim {

// Puts a key down or up. A key going down sets its pressed-since-last-query bit, which the next
// GetAsyncKeyState of that key reports and clears. reset(): every key up, no bits set.
void setKeyDown(int virtualKey, bool down);
// A key pressed and released again before anyone looked: only the pressed-since bit is set.
void tapKey(int virtualKey);

// Called at the start of every GetAsyncKeyState, before it answers, with the key and the number
// of this query of that key (1 for the first since reset). The hook may press and release keys.
// reset() removes it.
using KeyQueryHook = std::function<void(int virtualKey, int query)>;
void onKeyQuery(KeyQueryHook hook);
// Queries of a key since reset.
int keyQueries(int virtualKey);

// Milliseconds slept since reset: Sleep(n) adds n and returns at once.
std::uint64_t clockMs();
// Sleep calls since reset.
std::uint64_t sleepCalls();

}  // namespace platform::sim
