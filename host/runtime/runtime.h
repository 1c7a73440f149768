// The reference host's runtime: values, namespaces, classes, the 181 host slots handed to a
// plug-in, and the calls into its routines. The language (host/lang), the console and the tests
// all work through this header.
//
// One runtime is active at a time: the host slots are plain functions without a context
// argument, so they answer for the runtime made (or bound) last. Nothing here throws; every
// call reports failure through Result.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>
#include <vector>

#include "plugin/abi.h"

namespace quenda {

enum class Kind {
  Text,      // data block word 0: address of the NUL-terminated text
  Number,    // data block word 0: the int32; the block stays put for the value's life
  List,      // elements in order
  Function,  // a script function defined by the language
  Routine,   // a library routine from a function table
  Group,     // a namespace: members in definition order
  Class,     // a class a library created
  Object,    // an object of such a class; type word = class handle, data = the class's block
};
// "text", "number", "list", "function", "routine", "group", "class", "object".
const char* kindName(Kind kind);

class Runtime;
struct Registry;
struct ValueBody;

// A host value. Standard layout, so the record is at offset 0: the library sees a value only as
// the address of its record. Defined here so that references count in place.
class Value {
 public:
  abi::ValueRecord record;
  int refs;
  Kind kind;
  Registry* registry;  // outlives the runtime while the value lives
  ValueBody* body;
};
static_assert(std::is_standard_layout_v<Value>);

// Frees a value whose last reference went (running an object's _del first).
void destroyValue(Value* v);

// A counted reference to a value; empty means "no value". Copying shares the value.
class ValueRef {
 public:
  ValueRef() = default;
  ValueRef(const ValueRef& other) : value_(other.value_) {
    if (value_) ++value_->refs;
  }
  ValueRef(ValueRef&& other) noexcept : value_(other.value_) { other.value_ = nullptr; }
  ValueRef& operator=(ValueRef other) noexcept {
    std::swap(value_, other.value_);
    return *this;
  }
  ~ValueRef() {
    if (value_ && --value_->refs <= 0) destroyValue(value_);
  }

  // Takes a new reference to an existing value.
  static ValueRef retain(Value* value) {
    if (value) ++value->refs;
    return ValueRef(value);
  }

  explicit operator bool() const { return value_ != nullptr; }
  Value* get() const { return value_; }
  bool same(const ValueRef& other) const { return value_ == other.value_; }

  abi::ValueRecord* record() const { return value_ ? &value_->record : nullptr; }
  Kind kind() const { return value_ ? value_->kind : Kind::Number; }  // is() also tests for one
  bool is(Kind kind) const { return value_ && this->kind() == kind; }

  // Readers. Each gives a neutral answer ("" / 0 / empty) for a value of another kind.
  std::string text() const;                       // Text: its text
  std::int32_t number() const;                    // Number: its value
  const std::vector<ValueRef>& elements() const;  // List: its elements
  std::string objectPath() const;  // Object: word 0 of its data block read as a text address
  std::string name() const;        // Function, Routine, Group, Class: its name; Object: class name
  abi::word classHandle() const;   // Object: its class; Class: itself
  abi::Routine routine() const;    // Routine: the library's address
  int refCount() const;            // references held, for tests

 private:
  explicit ValueRef(Value* value) : value_(value) {}
  Value* value_ = nullptr;
};

// The outcome of a call: a value (possibly none) or an error message.
struct Result {
  ValueRef value;
  std::optional<std::string> error;

  bool ok() const { return !error.has_value(); }
  static Result fail(std::string message);
  static Result of(ValueRef value);
};

// A script function, implemented by the language. The runtime calls it for callMember and for
// calls by path; the arguments are already evaluated.
class ScriptFunction {
 public:
  virtual ~ScriptFunction() = default;
  virtual Result call(Runtime& runtime, const std::vector<ValueRef>& args) = 0;
};

// What the runtime asks of its surroundings. Unset hooks fall back as noted.
struct Hooks {
  // printLine: the line as the library gave it, markup included. Unset: stdout, markup removed.
  std::function<void(std::string_view line)> printLine;
  // printText: a line shown as it is, markup included (the prompt's echo of a value).
  // Unset: printLine.
  std::function<void(std::string_view line)> printText;
  // askText: the answer to a label; nullopt at end of input (the library then gets "").
  // Unset: the label and ": " on stdout, one line from stdin.
  std::function<std::optional<std::string>(std::string_view label)> askText;
  // Errors that no caller receives: a failing job action run by callMember, a failing _del.
  // Unset: printLine("error: " + message).
  std::function<void(std::string_view message)> reportError;
  // runScript: the language runs the source. Unset: the error "no language is attached".
  std::function<Result(std::string_view source)> runScript;
  // evalNumber: the language evaluates the text. Unset: decimalValue below.
  std::function<std::int32_t(std::string_view text)> evalNumber;
};

// One entry of a function table as read byte by byte.
struct TableEntry {
  abi::TableKind kind = abi::kTableEnd;  // kTableFunction or kTableGroup
  std::string name;
  abi::Routine routine = nullptr;   // function entries
  std::vector<TableEntry> entries;  // group entries, in table order
};
struct FunctionTable {
  std::vector<TableEntry> entries;
  std::size_t bytesRead = 0;         // up to and including the end byte (or the fault)
  std::optional<std::string> error;  // a malformed or truncated table; entries are then partial
};
// Reads a table up to its end byte. Groups may nest (at most kMaxTableDepth deep).
FunctionTable readFunctionTable(const unsigned char* table);
// The same, never reading at or past table + limit; running into the bound is an error.
FunctionTable readFunctionTable(const unsigned char* table, std::size_t limit);
constexpr int kMaxTableDepth = 16;

// The library's exports. Natively the plug-in is linked in (see linked.h); on Windows they come
// from GetProcAddress.
using DllMainExport = int(ZV_STDCALL*)(void* instance, abi::word reason, void* reserved);
struct LibraryExports {
  abi::GetFunctionsExport getFunctions = nullptr;
  abi::InitLibraryExport initLibrary = nullptr;
  abi::ClassExport fileClass = nullptr;
  abi::ClassExport folderClass = nullptr;
  DllMainExport dllMain = nullptr;  // optional: called with 1 at bind and 0 when unbound
  void* instance = nullptr;         // handed to dllMain
};

// A registered name, for the language's help.
struct NameInfo {
  std::string path;  // "dir", "dir.sel", "file", "file.rename", "run"
  Kind kind;
};

// The decimal value of a text: optional spaces, an optional '-', digits, optional spaces.
// Anything else, or a value outside int32, is 0.
std::int32_t decimalValue(std::string_view text);
// The colour markup of printed lines: $cyan$, $gray$, and $n$ back to the normal colour.
enum class MarkupTag { kCyan, kGray, kNormal };
// Walks the line in order: `text` for each run between tags, `tag` for each tag.
void walkMarkup(std::string_view line, const std::function<void(std::string_view)>& text,
                const std::function<void(MarkupTag)>& tag);
// The line without $cyan$, $gray$ and $n$.
std::string stripMarkup(std::string_view line);
// The line with the markup turned into ANSI colour changes (cyan, bright black, reset).
std::string ansiMarkup(std::string_view line);

class Runtime {
 public:
  Runtime();
  ~Runtime();
  Runtime(const Runtime&) = delete;
  Runtime& operator=(const Runtime&) = delete;

  // The runtime the host slots answer for (the one made or bound last), or null.
  static Runtime* active();
  void activate();

  Hooks& hooks();

  // The host API table: kSlotCount callable addresses, in slot order.
  const void* const* slotTable() const;
  abi::word standingValue(int index) const;  // slots 0..13
  abi::word rootHandle() const;              // standing value 2
  abi::word textType() const;                // standing value 9
  // The call log, for tests: slot numbers in call order, every slot counted (standing values
  // included), since the last clearSlotCalls. Nothing is logged before the first clearSlotCalls,
  // so a host that runs for days keeps no record of its calls.
  const std::vector<int>& slotCalls() const;
  void clearSlotCalls();  // empties the log and keeps it from now on

  // Binding: dllMain(attach) when given, getFunctions(slot table), then initLibrary. Once per
  // runtime. The library stays bound until the runtime ends (dllMain(detach) then).
  Result bind(const LibraryExports& exports);
  // Loads a module by path through the platform layer, finds the four exports and binds it.
  Result load(const std::string& path);
  bool bound() const;
  // The class handle a class name resolves to (path as for lookup), or 0.
  abi::word classHandle(std::string_view name) const;

  // Values.
  ValueRef text(std::string_view text);
  ValueRef number(std::int32_t n);
  ValueRef list(std::vector<ValueRef> elements = {});
  ValueRef function(std::shared_ptr<ScriptFunction> body, std::string name);
  ValueRef root() const;  // the root group ("main")

  // Namespaces. A path is names joined by '.' or '\'; a leading "main" is the root.
  ValueRef lookup(std::string_view path) const;  // the member's value, empty when none
  ValueRef member(const ValueRef& group, std::string_view name) const;  // in a Group or Class
  // Members of a group or class, in definition order.
  std::vector<std::pair<std::string, ValueRef>> members(const ValueRef& group) const;
  // Defines or assigns a member; groups on the path are made as needed. An existing Number or
  // Text member takes a Number or Text value in place (its data block stays where it is);
  // anything else replaces the member's value.
  Result define(std::string_view path, const ValueRef& value);
  std::vector<NameInfo> names() const;

  // Assignment as the language means it: into an object through its _set; an object into a
  // text through the object's _fSet; otherwise the target takes the source's content in place.
  Result assign(const ValueRef& target, const ValueRef& source);

  // Calls. Every call returns the routine's result or the error raised in it.
  Result call(std::string_view path, std::vector<ValueRef> args = {});
  // Calls a Routine, Function or Class value (a class makes an object: _new, then _def(args)).
  Result callValue(const ValueRef& callee, std::vector<ValueRef> args = {}, ValueRef self = {});
  Result callMethod(const ValueRef& object, std::string_view name, std::vector<ValueRef> args = {});
  // An object of a class: _new, then _def with the text when one is given.
  Result newObject(std::string_view className, std::optional<std::string_view> def = {});
  Result set(const ValueRef& object, const ValueRef& value);    // _set
  Result fSet(const ValueRef& object, const ValueRef& target);  // _fSet
  Result add(const ValueRef& object, const ValueRef& value);    // _add
  // The text form of any value as a Text value: an object through _form, a number in decimal,
  // a list as "[a, b]", a function, routine, group or class by its name.
  Result form(const ValueRef& value);
  Result runScript(std::string_view source);
  std::int32_t evalNumber(std::string_view text);

  // Depth of library and script calls now running.
  int callDepth() const;
  // A library routine runs now and has not called back into the host: for tests that make the
  // host's own allocations fail, and only those.
  bool libraryRunning() const;
  // Values alive now (held by the namespace, by references, or by running calls), for tests.
  std::size_t liveValueCount() const;
  static constexpr int kMaxCallDepth = 200;

  // The inner model, for the runtime's own sources (the host slots reach it through active()).
  struct Impl;
  Impl& impl() { return *impl_; }

 private:
  std::unique_ptr<Impl> impl_;
};

}  // namespace quenda
