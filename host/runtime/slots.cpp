// The 181 host slots. Each answers for the active runtime, logs its number when a test asks,
// checks every word the library hands it before using it, and lets no exception out.
#include <array>
#include <exception>
#include <new>
#include <type_traits>
#include <cstdio>
#include <utility>

#include "runtime/internal.h"
#include "runtime/slots.h"

namespace quenda {

namespace {

using abi::MemberRecord;
using abi::ValueRecord;
using abi::word;
using Impl = Runtime::Impl;

std::string hexWord(word w) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "0x%08x", static_cast<unsigned>(w));
  return buffer;
}

std::string hexOf(const void* p) {
  return hexWord(wordOf(p));
}

Impl* enter(int slot) {
  Runtime* rt = Runtime::active();
  if (!rt) return nullptr;
  Impl& impl = rt->impl();
  if (impl.loggingSlotCalls) impl.slotCalls.push_back(slot);
  return &impl;
}

// A value made during a call lives until the call ends unless something keeps it.
ValueRecord* keep(Impl* rt, const char* slot, Result made) {
  Frame* f = rt->frame();
  if (!f) {
    rt->fail(std::string(slot) + ": called while no routine runs");
    return nullptr;
  }
  if (!made.ok()) {
    rt->fail(*made.error);
    return nullptr;
  }
  f->made.push_back(std::move(made.value));
  return f->made.back().record();
}

template <int N>
word standing() {
  Impl* rt = enter(N);
  return rt ? rt->runtime.standingValue(N) : 0;
}

template <int N>
word notImplemented() {
  if (Impl* rt = enter(N)) rt->fail("host slot " + std::to_string(N) + " is not implemented");
  return 0;
}

ValueRecord* getSelf() {
  Impl* rt = enter(abi::kGetSelf);
  if (!rt) return nullptr;
  Frame* f = rt->frame();
  if (!f || !f->self) {
    rt->fail("getSelf: the running routine has no object");
    return nullptr;
  }
  return f->self.record();
}

void* getSelfData() {
  Impl* rt = enter(abi::kGetSelfData);
  if (!rt) return nullptr;
  Frame* f = rt->frame();
  if (!f || !f->self) {
    rt->fail("getSelfData: the running routine has no object");
    return nullptr;
  }
  return f->self.record()->data;
}

word raiseError(const char* message) {
  if (Impl* rt = enter(abi::kRaiseError)) {
    rt->fail(message && *message ? message : "an error without a message");
  }
  return 0;
}

word runScript(const char* source) {
  Impl* rt = enter(abi::kRunScript);
  if (!rt) return 0;
  if (!source) {
    rt->fail("runScript: no source");
    return 0;
  }
  Result r = rt->runtime.runScript(source);
  if (!r.ok()) {
    rt->fail(*r.error);
    return 0;
  }
  return 1;
}

std::int32_t evalNumber(const char* text) {
  Impl* rt = enter(abi::kEvalNumber);
  if (!rt || !text) return 0;
  return rt->runtime.evalNumber(text);
}

word assignValue(ValueRecord* target, ValueRecord* source) {
  Impl* rt = enter(abi::kAssignValue);
  if (!rt) return 0;
  Value* t = rt->liveValue(target);
  Value* s = rt->liveValue(source);
  if (!t || !s) {
    rt->fail("assignValue: " + hexOf(t ? static_cast<void*>(source) : target) + " is not a value");
    return 0;
  }
  if (auto error = rt->copyInto(ValueRef::retain(t), ValueRef::retain(s))) {
    rt->fail("assignValue: " + *error);
    return 0;
  }
  return 1;
}

ValueRecord* makeObjectSlot(int slot, const char* name, word classHandle) {
  Impl* rt = enter(slot);
  if (!rt) return nullptr;
  Class* cls = rt->liveClass(classHandle);
  if (!cls) {
    rt->fail(std::string(name) + ": " + hexWord(classHandle) + " is not a class");
    return nullptr;
  }
  if (!rt->frame()) return keep(rt, name, Result());
  return keep(rt, name, rt->makeObject(cls));
}

ValueRecord* newObject(word classHandle) {
  return makeObjectSlot(abi::kNewObject, "newObject", classHandle);
}

ValueRecord* resultObject(word classHandle) {
  return makeObjectSlot(abi::kResultObject, "resultObject", classHandle);
}

ValueRecord* newText(const char* text) {
  Impl* rt = enter(abi::kNewText);
  return rt ? keep(rt, "newText", Result::of(rt->makeText(text ? text : ""))) : nullptr;
}

ValueRecord* resultText(const char* text) {
  Impl* rt = enter(abi::kResultText);
  return rt ? keep(rt, "resultText", Result::of(rt->makeText(text ? text : ""))) : nullptr;
}

ValueRecord* newList() {
  Impl* rt = enter(abi::kNewList);
  return rt ? keep(rt, "newList", Result::of(rt->makeList())) : nullptr;
}

ValueRecord* resultList() {
  Impl* rt = enter(abi::kResultList);
  return rt ? keep(rt, "resultList", Result::of(rt->makeList())) : nullptr;
}

ValueRecord* resultNumber(std::int32_t n) {
  Impl* rt = enter(abi::kResultNumber);
  return rt ? keep(rt, "resultNumber", Result::of(rt->makeNumber(n))) : nullptr;
}

word nextArgValue(ValueRecord** out) {
  Impl* rt = enter(abi::kNextArgValue);
  if (!rt) return 0;
  if (!out) {
    rt->fail("nextArgValue: no place to store the argument");
    return 0;
  }
  *out = nullptr;
  Frame* f = rt->frame();
  if (!f) {
    rt->fail("nextArgValue: called while no routine runs");
    return 0;
  }
  if (f->nextArg >= f->args.size()) return 0;
  *out = f->args[f->nextArg++].record();
  return 1;
}

word nextArgText(char** textVariable) {
  Impl* rt = enter(abi::kNextArgText);
  if (!rt) return 0;
  if (!textVariable) {
    rt->fail("nextArgText: no text variable to store the argument in");
    return 0;
  }
  Frame* f = rt->frame();
  if (!f) {
    rt->fail("nextArgText: called while no routine runs");
    return 0;
  }
  if (f->nextArg >= f->args.size()) return 0;
  ValueRef arg = f->args[f->nextArg++];
  if (!rt->assigner) {
    rt->fail("nextArgText: the library has given no text assigner (slot 180)");
    return 0;
  }
  Result text = rt->formText(arg);  // numbers in decimal, objects through _form
  if (!text.ok()) {
    rt->fail(*text.error);
    return 0;
  }
  std::string copy = text.value.text();  // the assigner may call back; keep our own copy
  bool outer = rt->libraryRunning;
  rt->libraryRunning = true;  // the library's own code, as a routine's is
  rt->assigner(copy.c_str(), textVariable);
  rt->libraryRunning = outer;
  return 1;
}

word listAppend(ValueRecord* list, ValueRecord* value) {
  Impl* rt = enter(abi::kListAppend);
  if (!rt) return 0;
  Value* l = rt->liveValue(list);
  if (!l || l->kind != Kind::List) {
    rt->fail("listAppend: " + hexOf(list) + " is not a list");
    return 0;
  }
  Value* v = rt->liveValue(value);
  if (!v) {
    rt->fail("listAppend: " + hexOf(value) + " is not a value");
    return 0;
  }
  ValueRef element = ValueRef::retain(v);
  if (v == l || (v->kind == Kind::List && rt->contains(element, l))) {
    rt->fail("listAppend: a list cannot contain itself");
    return 0;
  }
  l->body->elements.push_back(std::move(element));
  l->body->block[0] = static_cast<word>(l->body->elements.size());
  return 1;
}

word createClass(const char* name, word namespaceHandle) {
  Impl* rt = enter(abi::kCreateClass);
  if (!rt) return 0;
  if (!name || !*name) {
    rt->fail("createClass: a class needs a name");
    return 0;
  }
  Group* where = rt->liveGroup(namespaceHandle);
  if (!where) {
    rt->fail("createClass: " + hexWord(namespaceHandle) + " is not a namespace");
    return 0;
  }
  return rt->createClass(name, where);
}

MemberRecord* firstOf(const Group* g) {
  return g && !g->members.empty() ? &g->members.front()->record : nullptr;
}

MemberRecord* firstMember(word groupOrMember) {
  Impl* rt = enter(abi::kFirstMember);
  if (!rt || groupOrMember == 0) return nullptr;
  if (Group* g = rt->liveGroup(groupOrMember)) return firstOf(g);
  auto* address = reinterpret_cast<const void*>(static_cast<std::uintptr_t>(groupOrMember));
  if (Member* m = rt->liveMember(address)) return firstOf(rt->groupOf(m->value));
  if (Class* c = rt->liveClass(groupOrMember)) return firstOf(&c->members);
  rt->fail("firstMember: " + hexWord(groupOrMember) + " is neither a group nor a member");
  return nullptr;
}

MemberRecord* nextMember(MemberRecord* member) {
  Impl* rt = enter(abi::kNextMember);
  if (!rt || !member) return nullptr;
  Member* m = rt->liveMember(member);
  if (!m) {
    rt->fail("nextMember: " + hexOf(member) + " is not a member");
    return nullptr;
  }
  const auto& siblings = m->parent->members;
  return m->index + 1 < siblings.size() ? &siblings[m->index + 1]->record : nullptr;
}

word callMember(MemberRecord* member, std::int32_t, std::int32_t) {
  Impl* rt = enter(abi::kCallMember);
  if (!rt || !member) return 0;
  Member* m = rt->liveMember(member);
  if (!m) {
    rt->fail("callMember: " + hexOf(member) + " is not a member");
    return 0;
  }
  ValueRef callee = m->value;  // the call may redefine the member
  if (!callee.is(Kind::Function) && !callee.is(Kind::Routine)) {
    rt->report("'" + m->path() + "' is a " + kindName(callee.kind()) + ", not a function");
    return 0;
  }
  // Nobody receives this call's result or error: the error is shown, the caller goes on.
  std::size_t retiredBefore = rt->retired.size();
  Result r = rt->callValue(callee, {}, {});
  if (!r.ok()) rt->report(*r.error);
  // What the action replaced goes now rather than when standby ends, days later perhaps; the
  // caller holds only the member records and the pinned blocks.
  rt->releaseRetiredAfter(retiredBefore);
  return 0;
}

word findNamespace(const char* name, std::int32_t) {
  Impl* rt = enter(abi::kFindNamespace);
  if (!rt || !name) return 0;
  Group* g = rt->rootGroup;
  for (std::string_view part : splitPath(name)) {
    Member* m = g->find(part);
    if (!m || !m->value.is(Kind::Group)) return 0;
    g = m->value.get()->body->group.get();
  }
  return wordOf(g);
}

word registerFunctions(word namespaceOrClass, const unsigned char* table) {
  Impl* rt = enter(abi::kRegisterFunctions);
  if (!rt) return 0;
  Group* target = rt->liveGroup(namespaceOrClass);
  if (!target) {
    if (Class* c = rt->liveClass(namespaceOrClass)) target = &c->members;
  }
  if (!target) {
    rt->fail("registerFunctions: " + hexWord(namespaceOrClass) +
             " is neither a namespace nor a class");
    return 0;
  }
  FunctionTable read = readFunctionTable(table);
  if (read.error) {
    rt->fail("registerFunctions: " + *read.error);
    return 0;
  }
  if (auto error = rt->registerTable(target, read.entries)) {
    rt->fail("registerFunctions: " + *error);
    return 0;
  }
  return 1;
}

word printLine(std::int32_t, const char* text, std::int32_t) {
  if (Impl* rt = enter(abi::kPrintLine)) rt->printLine(text ? text : "");
  return 0;
}

const char* askText(const char* label, std::int32_t) {
  Impl* rt = enter(abi::kAskText);
  if (!rt) return "";
  rt->askBuffer = rt->askText(label ? label : "").value_or("");
  return rt->askBuffer.c_str();
}

word setTextAssigner(abi::TextAssigner assign) {
  if (Impl* rt = enter(abi::kSetTextAssigner)) rt->assigner = assign;
  return 0;
}

// What a slot gives when it could not do its work: 0, or an empty text for the answer to a
// question, which the library reads at once.
template <typename R>
R failureValue() {
  if constexpr (std::is_same_v<R, const char*>) {
    return "";
  } else {
    return R{};
  }
}

// A slot that threw: the running call fails with `message` (a literal, so that noting it
// allocates nothing), or the message is reported when no call runs.
void faulted(const char* message) noexcept {
  Runtime* runtime = Runtime::active();
  if (!runtime) return;
  Impl& rt = runtime->impl();
  if (Frame* f = rt.frame()) {
    if (!f->fault) f->fault = message;
    return;
  }
  try {
    rt.report(message);
  } catch (...) {  // nowhere left to tell it
  }
}

// The library's entry into a slot. Nothing the host throws (memory running out, above all) may
// unwind through the library's frames: the slot fails instead, and the call it serves with it.
template <auto Body>
struct Guarded;
template <typename R, typename... A, R (*Body)(A...)>
struct Guarded<Body> {
  static R ZV_STDCALL call(A... args) noexcept {
    Runtime* runtime = Runtime::active();
    bool* libraryRunning = runtime ? &runtime->impl().libraryRunning : nullptr;
    bool outer = libraryRunning && *libraryRunning;
    if (libraryRunning) *libraryRunning = false;
    R result = failureValue<R>();
    try {
      result = Body(args...);
    } catch (const std::bad_alloc&) {
      faulted("the host ran out of memory");
    } catch (...) {
      faulted("the host failed inside a call of the library");
    }
    if (libraryRunning) *libraryRunning = outer;
    return result;
  }
};

template <auto Body>
const void* address() {
  return reinterpret_cast<const void*>(&Guarded<Body>::call);
}

template <int... N>
std::array<const void*, abi::kSlotCount> unimplementedTable(std::integer_sequence<int, N...>) {
  return {address<&notImplemented<N>>()...};
}

template <int... N>
void putStanding(std::array<const void*, abi::kSlotCount>& table,
                 std::integer_sequence<int, N...>) {
  ((table[N] = address<&standing<N>>()), ...);
}

std::array<const void*, abi::kSlotCount> buildTable() {
  auto t = unimplementedTable(std::make_integer_sequence<int, abi::kSlotCount>());
  putStanding(t, std::make_integer_sequence<int, abi::kStandingValueCount>());
  t[abi::kGetSelf] = address<&getSelf>();
  t[abi::kGetSelfData] = address<&getSelfData>();
  t[abi::kRaiseError] = address<&raiseError>();
  t[abi::kRunScript] = address<&runScript>();
  t[abi::kEvalNumber] = address<&evalNumber>();
  t[abi::kAssignValue] = address<&assignValue>();
  t[abi::kNewObject] = address<&newObject>();
  t[abi::kNewText] = address<&newText>();
  t[abi::kNewList] = address<&newList>();
  t[abi::kResultObject] = address<&resultObject>();
  t[abi::kResultNumber] = address<&resultNumber>();
  t[abi::kResultText] = address<&resultText>();
  t[abi::kResultList] = address<&resultList>();
  t[abi::kNextArgValue] = address<&nextArgValue>();
  t[abi::kNextArgText] = address<&nextArgText>();
  t[abi::kListAppend] = address<&listAppend>();
  t[abi::kCreateClass] = address<&createClass>();
  t[abi::kFirstMember] = address<&firstMember>();
  t[abi::kCallMember] = address<&callMember>();
  t[abi::kNextMember] = address<&nextMember>();
  t[abi::kFindNamespace] = address<&findNamespace>();
  t[abi::kRegisterFunctions] = address<&registerFunctions>();
  t[abi::kPrintLine] = address<&printLine>();
  t[abi::kAskText] = address<&askText>();
  t[abi::kSetTextAssigner] = address<&setTextAssigner>();
  return t;
}

}  // namespace

const void* const* hostSlotTable() {
  static const std::array<const void*, abi::kSlotCount> table = buildTable();
  return table.data();
}

bool slotImplemented(int slot) {
  if (slot < 0 || slot >= abi::kSlotCount) return false;
  static const auto unimplemented =
      unimplementedTable(std::make_integer_sequence<int, abi::kSlotCount>());
  return hostSlotTable()[slot] != unimplemented[slot];
}

}  // namespace quenda
