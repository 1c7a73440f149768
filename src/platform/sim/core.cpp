// The simulation's core: reset, fault injection, the call record and the last error.
#include <cstdio>
#include <cstdlib>

#include "internal.h"
#include "sim.h"
#include "../files.h"

namespace platform::sim {
namespace {

struct Fault {
  std::string operation;
  int remaining;  // calls to go, the failing one included; unused when `always`
  DWORD error;
  bool always;
};

struct Core {
  std::vector<Fault> faults;
  int fired = 0;
  std::vector<Call> calls;
  DWORD lastError = 0;
};

// Never destroyed, so code that runs during static destruction may still use the simulation.
Core& core() {
  static Core* c = new Core;
  return *c;
}

std::vector<void (*)()>& resetRegistry() {
  static std::vector<void (*)()>* r = new std::vector<void (*)()>;
  return *r;
}

}  // namespace

namespace detail {

DWORD lastError() { return core().lastError; }
void setLastError(DWORD code) { core().lastError = code; }

std::string hex(const void* p) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "0x%jx",
                static_cast<std::uintmax_t>(reinterpret_cast<std::uintptr_t>(p)));
  return buffer;
}

void fatal(const std::string& message) {
  std::fprintf(stderr, "platform::sim: %s\n", message.c_str());
  std::abort();
}

bool sameText(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (upper(a[i]) != upper(b[i])) return false;
  return true;
}

}  // namespace detail

void registerReset(void (*fn)()) {
  auto& registry = resetRegistry();
  for (auto* known : registry)
    if (known == fn) return;
  registry.push_back(fn);
}

void reset() {
  Core& c = core();
  c.faults.clear();
  c.fired = 0;
  c.calls.clear();
  c.lastError = 0;
  // By index: a reset function may register another area on first use.
  auto& registry = resetRegistry();
  for (std::size_t i = 0; i < registry.size(); ++i) registry[i]();
}

void failCall(const std::string& operation, int nth, DWORD error) {
  if (nth < 1) detail::fatal("failCall: nth counts from 1");
  core().faults.push_back(Fault{operation, nth, error, false});
}

void failAlways(const std::string& operation, DWORD error) {
  core().faults.push_back(Fault{operation, 0, error, true});
}

void clearFaults() {
  core().faults.clear();
  core().fired = 0;
}

int faultsFired() { return core().fired; }

const std::vector<Call>& calls() { return core().calls; }

void clearCalls() { core().calls.clear(); }

std::vector<Call> callsOf(const std::string& operation) {
  std::vector<Call> result;
  for (const Call& call : core().calls)
    if (call.operation == operation) result.push_back(call);
  return result;
}

DWORD enter(const char* operation, std::vector<std::string> args) {
  Core& c = core();
  c.calls.push_back(Call{operation, std::move(args)});
  DWORD error = 0;
  for (std::size_t i = 0; i < c.faults.size();) {
    Fault& f = c.faults[i];
    if (f.operation != operation) {
      ++i;
      continue;
    }
    bool fires = f.always || --f.remaining == 0;
    if (fires && error == 0) error = f.error;
    if (!f.always && f.remaining <= 0) {
      c.faults.erase(c.faults.begin() + static_cast<std::ptrdiff_t>(i));
    } else {
      ++i;
    }
  }
  if (error != 0) ++c.fired;
  return error;
}

}  // namespace platform::sim

namespace platform {

// The last error is per process in the simulation (one thread). An injected fault on
// GetLastError makes it return the fault's code.
DWORD GetLastError() {
  if (DWORD error = sim::enter("GetLastError")) return error;
  return sim::detail::lastError();
}

void SetLastError(DWORD code) {
  sim::enter("SetLastError", {sim::detail::num(code)});
  sim::detail::setLastError(code);
}

}  // namespace platform
