// The runtime's inner model, shared by its own sources only.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
#include <unordered_map>
#include <unordered_set>
#include <utility>
#include <vector>

#include "runtime/address_set.h"
#include "runtime/runtime.h"

namespace quenda {

struct Registry;
struct Group;
struct Class;

// Keeps a registry alive: the runtime holds one, and every value holds one until it is freed.
// Counted without atomics, as the values are: a runtime and its values live on one thread, and
// a listing makes and frees a value per entry.
class RegistryRef {
 public:
  RegistryRef() = default;
  explicit RegistryRef(Registry* registry);
  RegistryRef(const RegistryRef& other);
  RegistryRef& operator=(RegistryRef other) noexcept {
    std::swap(registry_, other.registry_);
    return *this;
  }
  ~RegistryRef();
  Registry* get() const { return registry_; }
  Registry* operator->() const { return registry_; }

 private:
  Registry* registry_ = nullptr;
};

// Everything of a value that the library does not see.
struct ValueBody {
  // Declared first so it is released last: the members below still use the registry.
  RegistryRef registry;
  abi::word block[1] = {};  // the data block of host-made values: word 0 as Kind describes
  std::string textStore;    // Text: the text block[0] points at
  std::vector<ValueRef> elements;
  std::shared_ptr<ScriptFunction> function;
  std::string name;  // Function, Routine: its name
  abi::Routine routine = nullptr;
  std::unique_ptr<Group> group;  // Group
  Class* cls = nullptr;          // Class, Object; Routine: the class it belongs to, if any
  bool constructed = false;      // Object: _new ran (or the class has none), so _del is due
  bool deleted = false;          // Object: _del ran or is running
};

// A member of a group: its record is the member's first 16 bytes.
struct Member {
  abi::MemberRecord record{};
  abi::ValueRecord* cell = nullptr;  // record.valueCell points here
  std::string name;
  ValueRef value;
  Group* parent = nullptr;
  std::size_t index = 0;  // position in the parent, which never removes members
  Registry* registry = nullptr;

  void setValue(ValueRef v);
  std::string path() const;
  ~Member();
};

struct Group {
  std::string path;  // for messages and help: "" for the root, "dir", "job.backup", "file"
  std::vector<std::unique_ptr<Member>> members;  // in definition order
  // The same members by name (views of their own names), so that a lookup takes constant time
  // however many members a script defines.
  std::unordered_map<std::string_view, Member*> byName;
  Registry* registry = nullptr;
  bool registered = false;      // a namespace handle (class member groups are not)
  Class* ownerClass = nullptr;  // the class whose members these are

  Member* find(std::string_view name) const;
  Member* add(std::string name, ValueRef value);
  // Members leave only when the group is emptied, the last first.
  void removeLast();
  void clear();
  ~Group();
};

struct Class {
  std::string name;
  Group members;
  std::string newWhat, delWhat;  // "file._new", "file._del": the names their calls go by
  // _new and _del once found: every object made and released runs them. A member leaves only
  // through removeLast, which forgets it here.
  Member* newMember = nullptr;
  Member* delMember = nullptr;
  Member* lifecycle(Member*& known, std::string_view memberName) {
    if (!known) known = members.find(memberName);
    return known;
  }
};

// Which addresses are live values, members, groups and classes, so that words coming from the
// library are checked before they are used. Outlives the runtime while values do.
struct Registry {
  Runtime::Impl* impl = nullptr;
  AddressSet values;
  std::unordered_set<const Member*> members;
  std::unordered_set<const Group*> groups;
  std::unordered_map<abi::word, std::unique_ptr<Class>> classes;
  int holders = 0;  // RegistryRefs
};

inline RegistryRef::RegistryRef(Registry* registry) : registry_(registry) {
  if (registry_) ++registry_->holders;
}
inline RegistryRef::RegistryRef(const RegistryRef& other) : RegistryRef(other.registry_) {}
inline RegistryRef::~RegistryRef() {
  if (registry_ && --registry_->holders == 0) delete registry_;
}

// One running library routine: its object, arguments, error and the values made meanwhile.
struct Frame {
  ValueRef self;
  std::vector<ValueRef> args;
  std::size_t nextArg = 0;
  std::optional<std::string> error;
  const char* fault = nullptr;  // a slot threw meanwhile (see slots.cpp): the call fails with it
  std::vector<ValueRef> made;   // freed at the end of the call unless kept elsewhere
};

inline abi::word wordOf(const void* p) {
  return static_cast<abi::word>(reinterpret_cast<std::uintptr_t>(p));
}

struct Runtime::Impl {
  explicit Impl(Runtime& owner);
  ~Impl();
  // Releases the namespace and every object (their _del runs), then lets the library go.
  void shutdown();

  Runtime& runtime;
  RegistryRef registry;
  Hooks hooks;
  ValueRef rootValue;
  Group* rootGroup = nullptr;
  std::vector<int> slotCalls;
  bool loggingSlotCalls = false;  // set by the first clearSlotCalls
  // The frames of the calls running are frames[0, runningFrames); those above wait, emptied, for
  // the next calls: a listing makes an object per entry, and each object's _new is a call.
  std::vector<std::unique_ptr<Frame>> frames;
  std::size_t runningFrames = 0;
  static constexpr std::size_t kSpareFrames = 8;
  Frame& pushFrame();        // may throw std::bad_alloc, and then nothing was pushed
  void popFrame() noexcept;  // releases what the call held and made
  int depth = 0;
  bool libraryRunning = false;  // a routine runs and has not called back (see Guarded)
  // Replaced member values that a routine still running may read through the member's record:
  // kept until the call that replaced them has ended (see callMember) or no call runs.
  std::vector<ValueRef> retired;
  // Replaced groups and "refresh" and "disabled" values: standby reads their member records and
  // data blocks for as long as it runs, so they wait until no call runs.
  std::vector<ValueRef> pinned;
  bool flushing = false;
  abi::TextAssigner assigner = nullptr;
  std::string askBuffer;
  LibraryExports exports;
  bool bound = false;
  void* module = nullptr;  // loaded through the platform layer

  // Values.
  ValueRef make(Kind kind);
  ValueRef makeText(std::string_view text);
  ValueRef makeNumber(std::int32_t n);
  ValueRef makeList();
  ValueRef makeGroup(std::string path);
  ValueRef makeRoutine(std::string name, abi::Routine routine, Class* cls);
  ValueRef makeClassValue(Class* cls);
  void setText(Value* v, std::string_view text);
  Value* liveValue(const void* record) const;
  Member* liveMember(const void* record) const;
  Group* liveGroup(abi::word handle) const;
  Class* liveClass(abi::word handle) const;
  mutable Class* lastClass = nullptr;  // liveClass's last answer

  // Namespaces.
  Group* groupOf(const ValueRef& v) const;  // a Group value's group, a Class's members
  Result put(Group* group, std::string_view name, const ValueRef& value);
  void retire(const Member& m, ValueRef v);
  void flushRetired();
  // Frees what was retired after the first `kept` entries, as a call made by the library ends.
  void releaseRetiredAfter(std::size_t kept);
  abi::word createClass(std::string_view name, Group* where);
  std::optional<std::string> registerTable(Group* target, const std::vector<TableEntry>& entries);

  // Calls.
  Frame* frame() { return runningFrames ? frames[runningFrames - 1].get() : nullptr; }
  void fail(std::string message);  // the running call's error, or reported when none runs
  void report(std::string_view message);
  // Runs a routine in a frame of its own. `essential` calls (_del) run even at the depth limit.
  Result invoke(abi::Routine routine, ValueRef self, std::vector<ValueRef> args,
                std::string_view what, bool essential = false);
  Result callValue(const ValueRef& callee, std::vector<ValueRef> args, ValueRef self);
  Result callMethod(const ValueRef& object, std::string_view name, std::vector<ValueRef> args);
  Result makeObject(Class* cls);
  void runDel(Value* object) noexcept;
  Result formText(const ValueRef& value, int nesting = 0);
  std::optional<std::string> copyInto(const ValueRef& target, const ValueRef& source);
  bool contains(const ValueRef& list, const Value* needle) const;
  void printLine(std::string_view line);
  std::optional<std::string> askText(std::string_view label);
};

// The path parts of "a.b\c"; a leading "main" stands for the root and is dropped.
std::vector<std::string_view> splitPath(std::string_view path);
// Strict decimal: nullopt for anything that is not an int32 in decimal.
std::optional<std::int32_t> parseDecimal(std::string_view text);

}  // namespace quenda
