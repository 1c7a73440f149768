// The simulated module loader: a registry of named fake modules and their exports.
#include <cctype>
#include <memory>
#include <string>
#include <vector>

#include "platform/files.h"
#include "platform/module.h"
#include "platform/sim/module_control.h"
#include "platform/sim/sim.h"

namespace platform::sim {

namespace {

using EntryPoint = BOOL(__attribute__((stdcall)) *)(void* instance, DWORD reason, void* reserved);
constexpr DWORD kProcessDetach = 0;
constexpr DWORD kProcessAttach = 1;

struct Module {
  std::string name;  // as matched: upper case, with its extension
  std::vector<Export> exports;
  int loads = 0;
  bool builtin = false;  // always loaded, never goes away
};

std::vector<std::unique_ptr<Module>>& modules() {
  static std::vector<std::unique_ptr<Module>> all = [] {
    std::vector<std::unique_ptr<Module>> list;
    auto kernel = std::make_unique<Module>();
    kernel->name = "KERNEL32.DLL";
    kernel->exports = {{"GetLastError", reinterpret_cast<void*>(&platform::GetLastError)}};
    kernel->builtin = true;
    kernel->loads = 1;
    list.push_back(std::move(kernel));
    return list;
  }();
  return all;
}

// The name a module is known by: the last path component, upper case, ".DLL" when it has no
// extension; a trailing "." stands for "no extension" and is dropped.
std::string moduleKey(const std::string& name) {
  std::size_t slash = name.find_last_of("\\/");
  std::string base = slash == std::string::npos ? name : name.substr(slash + 1);
  for (char& c : base) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  if (!base.empty() && base.back() == '.') {
    base.pop_back();
  } else if (!base.empty() && base.find('.') == std::string::npos) {
    base += ".DLL";
  }
  return base;
}

Module* byName(const std::string& name) {
  std::string key = moduleKey(name);
  if (key.empty()) return nullptr;
  for (auto& m : modules()) {
    if (m->name == key) return m.get();
  }
  return nullptr;
}

Module* loadedByHandle(HMODULE handle) {
  for (auto& m : modules()) {
    if (m.get() == handle && m->loads > 0) return m.get();
  }
  return nullptr;
}

void* exportOf(const Module& m, const std::string& name) {
  for (const Export& e : m.exports) {
    if (e.first == name) return e.second;
  }
  return nullptr;
}

BOOL callEntryPoint(Module& m, DWORD reason) {
  auto entry = reinterpret_cast<EntryPoint>(exportOf(m, "DllMain"));
  return entry ? entry(&m, reason, nullptr) : kTrue;
}

}  // namespace

void addModule(const std::string& name, const std::vector<Export>& exports) {
  Module* m = byName(name);
  if (!m) {
    modules().push_back(std::make_unique<Module>());
    m = modules().back().get();
    m->name = moduleKey(name);
  }
  for (const Export& e : exports) {
    bool replaced = false;
    for (Export& old : m->exports) {
      if (old.first == e.first) {
        old.second = e.second;
        replaced = true;
      }
    }
    if (!replaced) m->exports.push_back(e);
  }
}

void removeModule(const std::string& name) {
  std::string key = moduleKey(name);
  std::erase_if(modules(),
                [&](const std::unique_ptr<Module>& m) { return !m->builtin && m->name == key; });
}

int moduleLoadCount(const std::string& name) {
  Module* m = byName(name);
  return m ? m->loads : 0;
}

}  // namespace platform::sim

namespace platform {

HMODULE LoadLibraryA(const char* name) {
  if (DWORD error = sim::enter("LoadLibraryA", {name ? name : "(null)"})) {
    SetLastError(error);
    return nullptr;
  }
  sim::Module* m = name ? sim::byName(name) : nullptr;
  if (!m) {
    SetLastError(kErrorModNotFound);
    return nullptr;
  }
  if (++m->loads == 1 && !sim::callEntryPoint(*m, sim::kProcessAttach)) {
    m->loads = 0;
    SetLastError(kErrorDllInitFailed);
    return nullptr;
  }
  return m;
}

void* GetProcAddress(HMODULE module, const char* name) {
  if (DWORD error = sim::enter("GetProcAddress", {name ? name : "(null)"})) {
    SetLastError(error);
    return nullptr;
  }
  sim::Module* m = sim::loadedByHandle(module);
  if (!m) {
    SetLastError(kErrorModNotFound);
    return nullptr;
  }
  void* address = name ? sim::exportOf(*m, name) : nullptr;
  if (!address) SetLastError(kErrorProcNotFound);
  return address;
}

BOOL FreeLibrary(HMODULE module) {
  if (DWORD error = sim::enter("FreeLibrary")) {
    SetLastError(error);
    return kFalse;
  }
  if (!module) {
    SetLastError(kErrorInvalidHandle);
    return kFalse;
  }
  sim::Module* m = sim::loadedByHandle(module);
  if (!m) {
    SetLastError(kErrorModNotFound);
    return kFalse;
  }
  if (m->builtin) return kTrue;
  if (--m->loads == 0) sim::callEntryPoint(*m, sim::kProcessDetach);
  return kTrue;
}

}  // namespace platform
