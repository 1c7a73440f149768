#include "exports.h"

#include "catalogue.h"
#include "host.h"
#include "memory.h"
#include "module_state.h"
#include "platform/memory.h"
#include "platform/startup.h"
#include "text.h"

namespace zorvel {
ModuleState module;
}

using namespace zorvel;

namespace {
constexpr abi::word kProcessDetach = 0;
constexpr abi::word kProcessAttach = 1;
}  // namespace

extern "C" int ZV_STDCALL DllMain(void* instance, abi::word reason, void*) {
  if (reason == kProcessAttach) {
    module.instance = instance;
    ++module.load;
    module.moduleHeap = platform::HeapCreate(0, 4096, 0);
    startTextService();
    startMemoryService();
    platform::InitCommonControls();
    platform::CoInitialize(nullptr);
  } else if (reason == kProcessDetach) {
    stopMemoryService();
    stopTextService();
    if (module.moduleHeap) platform::HeapDestroy(module.moduleHeap);
    module.moduleHeap = nullptr;
  }
  return 1;
}

extern "C" abi::word ZV_STDCALL QuendaGetFunctions(const void* const* table) {
  for (int i = 0; i < abi::kSlotCount; ++i) module.hostSlots[i] = table[i];
  for (int i = 0; i < abi::kStandingValueCount; ++i) {
    auto standing = reinterpret_cast<abi::StandingFn>(const_cast<void*>(module.hostSlots[i]));
    module.standingValues[i] = standing();
  }
  module.rootNamespace = module.standingValues[abi::kGetRootNamespace];
  module.textType = module.standingValues[abi::kGetTextType];
  auto setTextAssigner = reinterpret_cast<abi::SetTextAssignerFn>(
      const_cast<void*>(module.hostSlots[abi::kSetTextAssigner]));
  setTextAssigner(&assignText);
  return 0;
}

extern "C" abi::word ZV_STDCALL InitLibrary() {
  module.fileClass = host::createClass("file", module.rootNamespace);
  host::registerFunctions(module.fileClass, fileTable().bytes);
  module.folderClass = host::createClass("folder", module.rootNamespace);
  host::registerFunctions(module.folderClass, folderTable().bytes);
  host::registerFunctions(module.rootNamespace, rootTable().bytes);
  return 0;
}

extern "C" abi::word ZV_STDCALL FileClass() {
  return module.fileClass;
}
extern "C" abi::word ZV_STDCALL FolderClass() {
  return module.folderClass;
}
