// Values: counted host allocations that start with the record the library reads.
#include <memory>
#include <new>
#include <utility>

#include "runtime/block_pool.h"
#include "runtime/internal.h"
#include "runtime/type_tags.h"

namespace quenda {

const char* kindName(Kind kind) {
  switch (kind) {
    case Kind::Text:
      return "text";
    case Kind::Number:
      return "number";
    case Kind::List:
      return "list";
    case Kind::Function:
      return "function";
    case Kind::Routine:
      return "routine";
    case Kind::Group:
      return "group";
    case Kind::Class:
      return "class";
    case Kind::Object:
      return "object";
  }
  return "value";
}

Result Result::fail(std::string message) {
  Result r;
  r.error = std::move(message);
  return r;
}

Result Result::of(ValueRef value) {
  Result r;
  r.value = std::move(value);
  return r;
}

std::string ValueRef::text() const {
  if (!is(Kind::Text)) return {};
  return value_->body->textStore;
}

std::int32_t ValueRef::number() const {
  if (!is(Kind::Number)) return 0;
  return static_cast<std::int32_t>(value_->body->block[0]);
}

const std::vector<ValueRef>& ValueRef::elements() const {
  static const std::vector<ValueRef> none;
  return is(Kind::List) ? value_->body->elements : none;
}

std::string ValueRef::objectPath() const {
  if (!is(Kind::Object) || value_->body->deleted) return {};
  auto* block = static_cast<const char* const*>(value_->record.data);
  if (!block || !block[0]) return {};
  return block[0];
}

std::string ValueRef::name() const {
  if (!value_) return {};
  const ValueBody& b = *value_->body;
  switch (value_->kind) {
    case Kind::Function:
    case Kind::Routine:
      return b.name;
    case Kind::Group:
      return b.group->path.empty() ? "main" : b.group->path;
    case Kind::Class:
    case Kind::Object:
      return b.cls->name;
    default:
      return {};
  }
}

abi::word ValueRef::classHandle() const {
  if (is(Kind::Object)) return value_->record.type;
  if (is(Kind::Class)) return wordOf(value_->body->cls);
  return 0;
}

abi::Routine ValueRef::routine() const {
  return is(Kind::Routine) ? value_->body->routine : nullptr;
}

int ValueRef::refCount() const {
  return value_ ? value_->refs : 0;
}

namespace {
// A value and its body share one block, from a pool: a listing of thousands of entries makes a
// value for each of them.
constexpr std::size_t kBodyOffset =
    (sizeof(Value) + alignof(ValueBody) - 1) / alignof(ValueBody) * alignof(ValueBody);
static_assert(alignof(ValueBody) <= __STDCPP_DEFAULT_NEW_ALIGNMENT__);
constexpr std::size_t kValueBytes = kBodyOffset + sizeof(ValueBody);

#if defined(__SANITIZE_ADDRESS__)
// AddressSanitizer watches each value as a heap block of its own.
void* takeValueBlock() {
  return ::operator new(kValueBytes);
}
void giveValueBlock(void* block) noexcept {
  ::operator delete(block);
}
#else
// Values outlive runtimes, so their blocks come from one pool that lasts as long as the process.
BlockPool& valueBlocks() {
  static auto* pool = new BlockPool(kValueBytes);
  return *pool;
}
void* takeValueBlock() {
  return valueBlocks().take();
}
void giveValueBlock(void* block) noexcept {
  valueBlocks().give(block);
}
#endif

}  // namespace

void destroyValue(Value* v) {
  ValueBody* body = v->body;
  Registry* registry = v->registry;
  if (v->kind == Kind::Object && body->constructed && !body->deleted && registry &&
      registry->impl) {
    // _del runs with the object as self, so it is alive again while it runs.
    v->refs = 1;
    registry->impl->runDel(v);
    if (--v->refs > 0) return;  // kept by someone during _del: stays, without a second _del
  }
  if (registry) registry->values.erase(v);
  body->~ValueBody();
  v->~Value();
  giveValueBlock(v);  // the one block that make() took for both
}

ValueRef Runtime::Impl::make(Kind kind) {
  void* block = takeValueBlock();
  auto* v = new (block) Value{};
  auto* body = new (static_cast<char*>(block) + kBodyOffset) ValueBody;
  v->refs = 0;
  v->kind = kind;
  v->registry = registry.get();
  v->body = body;
  body->registry = registry;
  v->record.type = typeTag(kind);
  v->record.data = body->block;
  try {
    registry->values.insert(v);
  } catch (...) {  // memory ran out: nothing was made
    body->~ValueBody();
    giveValueBlock(block);
    throw;
  }
  return ValueRef::retain(v);
}

void Runtime::Impl::setText(Value* v, std::string_view text) {
  v->body->textStore.assign(text.data(), text.size());
  v->body->block[0] = wordOf(v->body->textStore.c_str());
}

ValueRef Runtime::Impl::makeText(std::string_view text) {
  ValueRef v = make(Kind::Text);
  setText(v.get(), text);
  return v;
}

ValueRef Runtime::Impl::makeNumber(std::int32_t n) {
  ValueRef v = make(Kind::Number);
  v.get()->body->block[0] = static_cast<abi::word>(n);
  return v;
}

ValueRef Runtime::Impl::makeList() {
  return make(Kind::List);
}

ValueRef Runtime::Impl::makeGroup(std::string path) {
  ValueRef v = make(Kind::Group);
  auto group = std::make_unique<Group>();
  group->path = std::move(path);
  group->registry = registry.get();
  group->registered = true;
  registry->groups.insert(group.get());
  v.get()->body->block[0] = wordOf(group.get());
  v.get()->body->group = std::move(group);
  return v;
}

ValueRef Runtime::Impl::makeRoutine(std::string name, abi::Routine routine, Class* cls) {
  ValueRef v = make(Kind::Routine);
  v.get()->body->cls = cls;
  v.get()->body->name = std::move(name);
  v.get()->body->routine = routine;
  v.get()->body->block[0] = wordOf(reinterpret_cast<const void*>(routine));
  return v;
}

ValueRef Runtime::Impl::makeClassValue(Class* cls) {
  ValueRef v = make(Kind::Class);
  v.get()->body->cls = cls;
  v.get()->body->block[0] = wordOf(cls);
  return v;
}

Value* Runtime::Impl::liveValue(const void* record) const {
  // The record is at offset 0, so a live value's address is its record's address.
  auto* v = static_cast<const Value*>(record);
  return registry->values.contains(v) ? const_cast<Value*>(v) : nullptr;
}

Member* Runtime::Impl::liveMember(const void* record) const {
  auto* m = static_cast<const Member*>(record);
  return registry->members.count(m) ? const_cast<Member*>(m) : nullptr;
}

Group* Runtime::Impl::liveGroup(abi::word handle) const {
  auto* g = reinterpret_cast<const Group*>(static_cast<std::uintptr_t>(handle));
  return registry->groups.count(g) ? const_cast<Group*>(g) : nullptr;
}

Class* Runtime::Impl::liveClass(abi::word handle) const {
  // Classes stay until the registry goes, so the last one found stays good; a listing asks for
  // the same class once per entry. A class's handle is its address.
  if (lastClass && handle == wordOf(lastClass)) return lastClass;
  auto it = registry->classes.find(handle);
  if (it == registry->classes.end()) return nullptr;
  lastClass = it->second.get();
  return lastClass;
}

bool Runtime::Impl::contains(const ValueRef& list, const Value* needle) const {
  for (const ValueRef& e : list.elements()) {
    if (e.get() == needle) return true;
    if (e.is(Kind::List) && contains(e, needle)) return true;
  }
  return false;
}

}  // namespace quenda
