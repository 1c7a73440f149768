// The runtime's life: its root namespace, standing values, binding a library and letting go of it.
#include <utility>

#include "platform/files.h"
#include "platform/module.h"
#include "runtime/internal.h"
#include "runtime/slots.h"
#include "runtime/type_tags.h"

namespace quenda {

namespace {
Runtime* activeRuntime = nullptr;
constexpr abi::word kProcessDetach = 0;
constexpr abi::word kProcessAttach = 1;
// Standing values the library keeps but does not read: fixed, nonzero, recognisable.
constexpr abi::word kStandingBase = 0x51570000;
}  // namespace

Runtime::Impl::Impl(Runtime& owner) : runtime(owner), registry(new Registry) {
  registry->impl = this;
  rootValue = makeGroup("");
  rootGroup = rootValue.get()->body->group.get();
}

Runtime::Impl::~Impl() = default;

void Runtime::Impl::shutdown() {
  // The namespace first, while the library is still there to run the objects' _del.
  rootGroup->clear();
  rootValue = {};
  flushRetired();
  // Objects that someone outside still holds are released by the library now; the values
  // themselves stay until their last reference goes.
  std::vector<ValueRef> held;
  registry->values.forEach([&held](const void* p) {
    auto* v = static_cast<Value*>(const_cast<void*>(p));
    if (v->kind == Kind::Object && v->body->constructed && !v->body->deleted) {
      held.push_back(ValueRef::retain(v));
    }
  });
  for (ValueRef& object : held) {
    if (!object.get()->body->deleted) runDel(object.get());
  }
  held.clear();
  for (auto& [handle, cls] : registry->classes) {
    cls->members.clear();
  }
  if (bound && exports.dllMain) exports.dllMain(exports.instance, kProcessDetach, nullptr);
  if (module) platform::FreeLibrary(module);
  registry->impl = nullptr;
}

Runtime::Runtime() : impl_(std::make_unique<Impl>(*this)) {
  activate();
}

Runtime::~Runtime() {
  activate();  // the library's _del calls during teardown reach this runtime
  impl_->shutdown();
  impl_.reset();
  if (activeRuntime == this) activeRuntime = nullptr;
}

Runtime* Runtime::active() {
  return activeRuntime;
}

void Runtime::activate() {
  activeRuntime = this;
}

Hooks& Runtime::hooks() {
  return impl_->hooks;
}

const void* const* Runtime::slotTable() const {
  return hostSlotTable();
}

abi::word Runtime::standingValue(int index) const {
  if (index == abi::kGetRootNamespace) return rootHandle();
  if (index == abi::kGetTextType) return textType();
  if (index < 0 || index >= abi::kStandingValueCount) return 0;
  return kStandingBase + static_cast<abi::word>(index);
}

abi::word Runtime::rootHandle() const {
  return wordOf(impl_->rootGroup);
}

abi::word Runtime::textType() const {
  return typeTag(Kind::Text);
}

const std::vector<int>& Runtime::slotCalls() const {
  return impl_->slotCalls;
}

void Runtime::clearSlotCalls() {
  impl_->slotCalls.clear();
  impl_->loggingSlotCalls = true;
}

Result Runtime::bind(const LibraryExports& exports) {
  Impl& i = *impl_;
  if (i.bound) return Result::fail("a library is already bound to this runtime");
  if (!exports.getFunctions || !exports.initLibrary) {
    return Result::fail("the library has no QuendaGetFunctions or no InitLibrary");
  }
  activate();
  i.exports = exports;
  i.bound = true;
  // Binding runs like a call, so that what the library raises or makes meanwhile has a home.
  Frame& binding = i.pushFrame();
  ++i.depth;
  bool loaded = !exports.dllMain || exports.dllMain(exports.instance, kProcessAttach, nullptr);
  if (loaded) {
    exports.getFunctions(slotTable());
    if (!binding.error && !binding.fault) exports.initLibrary();
  }
  --i.depth;
  std::optional<std::string> error = binding.error;
  if (!error && binding.fault) error = binding.fault;
  i.popFrame();
  i.flushRetired();
  if (!loaded) {
    i.bound = false;  // a module that refused to load gets no detach either
    return Result::fail("the library refused to load");
  }
  if (error) return Result::fail("binding the library: " + *error);
  return {};
}

Result Runtime::load(const std::string& path) {
  if (impl_->bound) return Result::fail("a library is already bound to this runtime");
  platform::HMODULE module = platform::LoadLibraryA(path.c_str());
  if (!module) {
    return Result::fail("cannot load the library '" + path + "' (error " +
                        std::to_string(platform::GetLastError()) + ")");
  }
  LibraryExports e;
  const char* missing = nullptr;
  auto find = [&](const char* name) {
    void* address = platform::GetProcAddress(module, name);
    if (!address && !missing) missing = name;
    return address;
  };
  e.getFunctions = reinterpret_cast<abi::GetFunctionsExport>(find("QuendaGetFunctions"));
  e.initLibrary = reinterpret_cast<abi::InitLibraryExport>(find("InitLibrary"));
  e.fileClass = reinterpret_cast<abi::ClassExport>(find("FileClass"));
  e.folderClass = reinterpret_cast<abi::ClassExport>(find("FolderClass"));
  if (missing) {
    platform::FreeLibrary(module);
    return Result::fail("'" + path + "' is not a plug-in: it has no export " + missing);
  }
  impl_->module = module;  // the loader ran its entry point; FreeLibrary undoes it
  return bind(e);
}

bool Runtime::bound() const {
  return impl_->bound;
}

abi::word Runtime::classHandle(std::string_view name) const {
  ValueRef v = lookup(name);
  return v.is(Kind::Class) ? v.classHandle() : 0;
}

ValueRef Runtime::text(std::string_view text) {
  return impl_->makeText(text);
}

ValueRef Runtime::number(std::int32_t n) {
  return impl_->makeNumber(n);
}

ValueRef Runtime::list(std::vector<ValueRef> elements) {
  ValueRef v = impl_->makeList();
  std::erase_if(elements, [](const ValueRef& e) { return !e; });
  v.get()->body->block[0] = static_cast<abi::word>(elements.size());
  v.get()->body->elements = std::move(elements);
  return v;
}

ValueRef Runtime::function(std::shared_ptr<ScriptFunction> body, std::string name) {
  ValueRef v = impl_->make(Kind::Function);
  v.get()->body->function = std::move(body);
  v.get()->body->name = std::move(name);
  return v;
}

}  // namespace quenda
