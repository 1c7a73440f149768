// The simulation's core: reset, fault injection, the call record, the last error and the handle
// table.
#include "core.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "../last_error.h"

namespace platform::sim {
namespace {

struct Fault {
  std::string operation;
  int remaining;  // calls to go, the failing one included; unused when `always`
  DWORD error;
  bool always;
};

struct Open {
  HANDLE handle;
  const char* kind;
  std::string name;
  std::shared_ptr<void> data;
  int count;
};

struct Core {
  std::vector<std::function<void()>> resets;
  std::vector<Fault> faults;
  int fired = 0;
  std::vector<Call> calls;
  DWORD lastError = 0;
  std::vector<Open> handles;  // in the order they were opened
  std::uintptr_t nextHandle = 0x10000;
};

// Never destroyed, so code that runs during static destruction may still use the simulation.
Core& core() {
  static Core* c = new Core;
  return *c;
}

std::vector<Open>::iterator entry(HANDLE handle, const char* kind) {
  auto& all = core().handles;
  return std::find_if(all.begin(), all.end(), [&](const Open& o) {
    return o.handle == handle && std::string_view(o.kind) == kind;
  });
}

}  // namespace

namespace detail {

DWORD& lastError() {
  return core().lastError;
}

std::string pointerText(const void* pointer) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "0x%jx",
                static_cast<std::uintmax_t>(reinterpret_cast<std::uintptr_t>(pointer)));
  return buffer;
}

DWORD recordCallTexts(const char* operation, std::vector<std::string> args) {
  Core& c = core();
  c.calls.push_back(Call{operation, std::move(args)});
  DWORD error = 0;
  for (std::size_t i = 0; i < c.faults.size();) {
    Fault& f = c.faults[i];
    bool fires = f.operation == operation && (f.always || --f.remaining == 0);
    if (fires && error == 0) error = f.error;
    if (fires && !f.always)
      c.faults.erase(c.faults.begin() + static_cast<std::ptrdiff_t>(i));
    else
      ++i;
  }
  if (error != 0) ++c.fired;
  return error;
}

HANDLE freshHandle() {
  return reinterpret_cast<HANDLE>(core().nextHandle += 4);
}

HANDLE openHandle(const char* kind, std::shared_ptr<void> data, void* handle, std::string name) {
  if (!handle) handle = freshHandle();
  auto open = entry(handle, kind);
  if (open == core().handles.end())
    core().handles.push_back(Open{handle, kind, std::move(name), std::move(data), 1});
  else
    ++open->count;
  return handle;
}

int openCount(HANDLE handle, const char* kind) {
  auto open = entry(handle, kind);
  return open == core().handles.end() ? 0 : open->count;
}

std::shared_ptr<void> openData(HANDLE handle, const char* kind) {
  auto open = entry(handle, kind);
  return open == core().handles.end() ? nullptr : open->data;
}

bool closeHandle(HANDLE handle, const char* kind) {
  auto open = entry(handle, kind);
  if (open == core().handles.end()) return false;
  if (--open->count == 0) core().handles.erase(open);
  return true;
}

void onReset(std::function<void()> resetArea) {
  core().resets.push_back(std::move(resetArea));
}

void fatal(const std::string& message) {
  std::fprintf(stderr, "platform::sim: %s\n", message.c_str());
  std::abort();
}

std::string upperText(std::string text) {
  for (char& c : text) c = upper(c);
  return text;
}

}  // namespace detail

void reset() {
  Core& c = core();
  c.faults.clear();
  c.fired = 0;
  c.calls.clear();
  c.lastError = 0;
  c.handles.clear();
  for (const auto& area : c.resets) area();
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

int faultsFired() {
  return core().fired;
}

const std::vector<Call>& calls() {
  return core().calls;
}

void clearCalls() {
  core().calls.clear();
}

std::vector<Call> callsOf(const std::string& operation) {
  std::vector<Call> result;
  std::copy_if(core().calls.begin(), core().calls.end(), std::back_inserter(result),
               [&](const Call& call) { return call.operation == operation; });
  return result;
}

std::string openHandles() {
  std::string text;
  for (const Open& open : core().handles)
    text += (text.empty() ? "" : "\n") + std::string(open.kind) +
            (open.name.empty() ? "" : " " + open.name);
  return text;
}

}  // namespace platform::sim

namespace platform {

// One thread: the last error is the process's. A fault injected into GetLastError makes it give
// the fault's code.
DWORD GetLastError() {
  if (DWORD fault = sim::detail::recordCall("GetLastError")) return fault;
  return sim::detail::lastError();
}

void SetLastError(DWORD code) {
  sim::detail::recordCall("SetLastError", code);
  sim::detail::lastError() = code;
}

}  // namespace platform
