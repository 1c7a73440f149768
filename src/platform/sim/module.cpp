// The simulated module loader: named fake modules and their exports; a load is an entry of the
// handle table.
#include "../module.h"

#include <map>

#include "../last_error.h"
#include "core.h"

namespace platform {
namespace {

using sim::detail::fail;
using sim::detail::recordCall;

using EntryPoint = BOOL(ZV_STDCALL*)(void* instance, DWORD reason, void* reserved);
constexpr DWORD kProcessDetach = 0;
constexpr DWORD kProcessAttach = 1;
constexpr const char* kLoad = "module";

struct Module {
  std::map<std::string, void*> exports;
  bool alwaysLoaded = false;
};
using Modules = std::map<std::string, Module>;  // by the name they are known by

// The modules every process has: KERNEL32.DLL, loaded for good, and SHELL32.DLL.
Modules builtIns() {
  Modules all;
  all["KERNEL32.DLL"] = {{{"GetLastError", reinterpret_cast<void*>(&platform::GetLastError)}},
                         true};
  for (const sim::Export& e : sim::detail::folderBrowserExports())
    all["SHELL32.DLL"].exports.insert(e);
  return all;
}

sim::detail::AreaState<Modules> modules(builtIns());

// The name a module is known by: the last path component, upper case, ".DLL" when it has no
// extension; a trailing "." stands for "no extension" and is dropped.
std::string moduleKey(const std::string& name) {
  std::string base = sim::detail::upperText(name.substr(name.find_last_of("\\/") + 1));
  if (!base.empty() && base.back() == '.')
    base.pop_back();
  else if (!base.empty() && base.find('.') == std::string::npos)
    base += ".DLL";
  return base;
}

Module* byName(const char* name) {
  auto it = name ? modules->find(moduleKey(name)) : modules->end();
  return it == modules->end() || it->first.empty() ? nullptr : &it->second;
}

Module* loaded(HMODULE handle) {
  for (auto& [name, m] : *modules)
    if (&m == handle && (m.alwaysLoaded || sim::detail::openCount(handle, kLoad) > 0)) return &m;
  return nullptr;
}

void* exportOf(const Module& m, const char* name) {
  auto it = name ? m.exports.find(name) : m.exports.end();
  return it == m.exports.end() ? nullptr : it->second;
}

BOOL callEntryPoint(Module& m, DWORD reason) {
  auto entry = reinterpret_cast<EntryPoint>(exportOf(m, "DllMain"));
  return entry ? entry(&m, reason, nullptr) : kTrue;
}

}  // namespace

namespace sim {

void addModule(const std::string& name, const std::vector<Export>& exports) {
  Module& m = (*modules)[moduleKey(name)];
  for (const Export& e : exports) m.exports[e.first] = e.second;
}

void removeModule(const std::string& name) {
  auto it = modules->find(moduleKey(name));
  if (it != modules->end() && !it->second.alwaysLoaded) modules->erase(it);
}

}  // namespace sim

HMODULE LoadLibraryA(const char* name) {
  if (DWORD fault = recordCall("LoadLibraryA", name)) return fail(fault, HMODULE{nullptr});
  Module* m = byName(name);
  if (!m) return fail(kErrorModNotFound, HMODULE{nullptr});
  if (m->alwaysLoaded) return m;
  sim::detail::openHandle(kLoad, {}, m, moduleKey(name));
  if (sim::detail::openCount(m, kLoad) == 1 && !callEntryPoint(*m, kProcessAttach)) {
    sim::detail::closeHandle(m, kLoad);
    return fail(kErrorDllInitFailed, HMODULE{nullptr});
  }
  return m;
}

void* GetProcAddress(HMODULE module, const char* name) {
  if (DWORD fault = recordCall("GetProcAddress", name)) return fail(fault, nullptr);
  Module* m = loaded(module);
  if (!m) return fail(kErrorModNotFound, nullptr);
  void* address = exportOf(*m, name);
  return address ? address : fail(kErrorProcNotFound, nullptr);
}

BOOL FreeLibrary(HMODULE module) {
  if (DWORD fault = recordCall("FreeLibrary")) return fail(fault, kFalse);
  if (!module) return fail(kErrorInvalidHandle, kFalse);
  Module* m = loaded(module);
  if (!m) return fail(kErrorModNotFound, kFalse);
  if (m->alwaysLoaded) return kTrue;
  sim::detail::closeHandle(m, kLoad);
  if (sim::detail::openCount(m, kLoad) == 0) callEntryPoint(*m, kProcessDetach);
  return kTrue;
}

}  // namespace platform
