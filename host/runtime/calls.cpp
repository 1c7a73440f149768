// Calls into library routines and script functions, objects' protocol members, assignment.
#include <cstdio>
#include <iostream>
#include <utility>

#include "runtime/internal.h"

namespace quenda {

namespace {

std::string hexWord(abi::word w) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "0x%08x", static_cast<unsigned>(w));
  return buffer;
}

std::string nestingMessage() {
  return "calls nest deeper than " + std::to_string(Runtime::kMaxCallDepth) + " levels";
}

}  // namespace

void Runtime::Impl::report(std::string_view message) {
  if (hooks.reportError) {
    hooks.reportError(message);
  } else {
    printLine("error: " + std::string(message));
  }
}

void Runtime::Impl::fail(std::string message) {
  if (Frame* f = frame()) {
    if (!f->error) f->error = std::move(message);  // the first error is the cause
  } else {
    report(message);
  }
}

void Runtime::Impl::printLine(std::string_view line) {
  if (hooks.printLine) {
    hooks.printLine(line);
  } else {
    std::cout << stripMarkup(line) << std::endl;
  }
}

std::optional<std::string> Runtime::Impl::askText(std::string_view label) {
  if (hooks.askText) return hooks.askText(label);
  std::cout << label << ": " << std::flush;
  std::string line;
  if (!std::getline(std::cin, line)) return std::nullopt;
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return line;
}

Result Runtime::Impl::invoke(abi::Routine routine, ValueRef self, std::vector<ValueRef> args,
                             std::string_view what, bool essential) {
  if (!routine) return Result::fail("'" + std::string(what) + "' has no routine");
  // _del still runs at the limit, or the library's data would never be released.
  if (depth >= kMaxCallDepth && !essential) return Result::fail(nestingMessage());
  runtime.activate();
  Result r;
  {
    Frame& f = pushFrame();
    struct Pop {
      Impl& impl;
      ~Pop() { impl.popFrame(); }
    } pop{*this};
    f.self = std::move(self);
    f.args = std::move(args);
    ++depth;
    bool outer = libraryRunning;
    libraryRunning = true;
    abi::word word = routine();
    libraryRunning = outer;
    --depth;
    if (f.error || f.fault) {
      r = Result::fail(f.error ? *f.error : std::string(f.fault));
    } else if (word != 0) {
      // A result made in this call, the object itself, an argument: any live value will do.
      if (Value* v = liveValue(reinterpret_cast<const void*>(static_cast<std::uintptr_t>(word)))) {
        r.value = ValueRef::retain(v);
      } else {
        r = Result::fail("'" + std::string(what) + "' returned " + hexWord(word) +
                         ", which is not a value");
      }
    }
  }
  flushRetired();
  return r;
}

Frame& Runtime::Impl::pushFrame() {
  if (runningFrames == frames.size()) frames.push_back(std::make_unique<Frame>());
  return *frames[runningFrames++];
}

void Runtime::Impl::popFrame() noexcept {
  // Releasing what the call made may run an object's _del, a call of its own: that call takes
  // the frame above, so this one stays counted until it is empty.
  Frame& f = *frames[runningFrames - 1];
  f.self = {};
  f.args.clear();
  if (f.made.capacity() > 64) {
    std::vector<ValueRef>().swap(f.made);  // a long listing's room goes with its values
  } else {
    f.made.clear();
  }
  f.nextArg = 0;
  f.error.reset();
  f.fault = nullptr;
  --runningFrames;
  if (frames.size() > runningFrames + kSpareFrames) frames.resize(runningFrames + kSpareFrames);
}

Result Runtime::Impl::callValue(const ValueRef& callee, std::vector<ValueRef> args, ValueRef self) {
  if (!callee) return Result::fail("nothing to call");
  ValueBody& body = *callee.get()->body;
  switch (callee.kind()) {
    case Kind::Routine:
      // A class's routine reads its object's data block: it never runs without one of its own.
      if (body.cls && (!self.is(Kind::Object) || self.classHandle() != wordOf(body.cls))) {
        std::string message = "'" + body.name + "' needs a " + body.cls->name + " object";
        if (self.is(Kind::Object)) message += ", not a " + self.name() + " object";
        return Result::fail(message);
      }
      {
        ValueRef held = callee;  // its name is the call's name, whatever the call replaces
        return invoke(body.routine, std::move(self), std::move(args), body.name);
      }
    case Kind::Function: {
      if (!body.function) return Result::fail("the function '" + body.name + "' has no body");
      if (depth >= kMaxCallDepth) return Result::fail(nestingMessage());
      std::shared_ptr<ScriptFunction> fn = body.function;  // the member may be redefined meanwhile
      ++depth;
      Result r = fn->call(runtime, args);
      --depth;
      flushRetired();
      return r;
    }
    case Kind::Class: {
      Result made = makeObject(body.cls);
      if (!made.ok() || args.empty()) return made;
      Result defined = callMethod(made.value, "_def", std::move(args));
      if (!defined.ok()) return defined;
      return made;
    }
    default:
      return Result::fail(std::string("a ") + kindName(callee.kind()) + " cannot be called");
  }
}

Result Runtime::Impl::callMethod(const ValueRef& object, std::string_view name,
                                 std::vector<ValueRef> args) {
  if (!object.is(Kind::Object)) {
    std::string what = object ? std::string("a ") + kindName(object.kind()) : "no value";
    return Result::fail("'" + std::string(name) + "' needs an object, and this is " + what);
  }
  Class* cls = object.get()->body->cls;
  Member* m = cls->members.find(name);
  if (!m) {
    return Result::fail("a " + cls->name + " object has no member '" + std::string(name) + "'");
  }
  return callValue(m->value, std::move(args), object);
}

Result Runtime::Impl::makeObject(Class* cls) {
  ValueRef object = make(Kind::Object);
  Value* v = object.get();
  v->body->cls = cls;
  v->record.type = wordOf(cls);
  v->record.data = nullptr;  // the class's _new makes the data block
  if (Member* n = cls->lifecycle(cls->newMember, "_new"); n && n->value.is(Kind::Routine)) {
    Result r = invoke(n->value.routine(), object, {}, cls->newWhat);
    if (!r.ok()) {
      v->body->deleted = true;  // no data block to release
      return Result::fail("making a " + cls->name + " object: " + *r.error);
    }
  }
  v->body->constructed = true;
  return Result::of(std::move(object));
}

void Runtime::Impl::runDel(Value* object) noexcept {
  ValueBody& body = *object->body;
  body.deleted = true;
  Member* d = body.cls ? body.cls->lifecycle(body.cls->delMember, "_del") : nullptr;
  if (!d || !d->value.is(Kind::Routine)) return;
  // Runs as a value is released, in a destructor: memory running out here is reported, and
  // the object's data stays with the library.
  try {
    Result r = invoke(d->value.routine(), ValueRef::retain(object), {}, body.cls->delWhat, true);
    if (!r.ok()) report(body.cls->name + "._del: " + *r.error);
  } catch (...) {
    try {
      report("the host ran out of memory while releasing a " + body.cls->name + " object");
    } catch (...) {  // nowhere left to tell it
    }
  }
}

Result Runtime::Impl::formText(const ValueRef& value, int nesting) {
  if (!value) return Result::fail("no value");
  switch (value.kind()) {
    case Kind::Text:
      return Result::of(value);
    case Kind::Number:
      return Result::of(makeText(std::to_string(value.number())));
    case Kind::List: {
      if (nesting > kMaxCallDepth) return Result::fail("lists nest too deeply to show");
      std::string out = "[";
      bool first = true;
      for (const ValueRef& e : value.elements()) {
        Result r = formText(e, nesting + 1);
        if (!r.ok()) return r;
        if (!first) out += ", ";
        out += r.value.text();
        first = false;
      }
      return Result::of(makeText(out + "]"));
    }
    case Kind::Object: {
      Class* cls = value.get()->body->cls;
      if (!cls->members.find("_form")) return Result::of(makeText("<" + cls->name + " object>"));
      Result r = callMethod(value, "_form", {});
      if (!r.ok()) return r;
      if (!r.value) return Result::of(makeText(""));
      if (r.value.is(Kind::Object)) return Result::fail("'" + cls->name + "._form' gave an object");
      return formText(r.value, nesting + 1);
    }
    default:
      return Result::of(makeText(value.name()));
  }
}

std::optional<std::string> Runtime::Impl::copyInto(const ValueRef& target, const ValueRef& source) {
  if (!target || !source) return std::string("nothing to assign");
  if (target.same(source)) return std::nullopt;
  switch (target.kind()) {
    case Kind::Text: {
      Result r = formText(source);
      if (!r.ok()) return r.error;
      setText(target.get(), r.value.text());
      return std::nullopt;
    }
    case Kind::Number: {
      std::optional<std::int32_t> n;
      if (source.is(Kind::Number)) n = source.number();
      if (source.is(Kind::Text)) n = parseDecimal(source.text());
      if (!n) {
        if (source.is(Kind::Text)) return "the text \"" + source.text() + "\" is not a number";
        return std::string("a ") + kindName(source.kind()) + " cannot be assigned to a number";
      }
      target.get()->body->block[0] = static_cast<abi::word>(*n);
      return std::nullopt;
    }
    case Kind::List: {
      if (!source.is(Kind::List)) {
        return std::string("a ") + kindName(source.kind()) + " cannot be assigned to a list";
      }
      if (contains(source, target.get())) return std::string("a list cannot contain itself");
      std::vector<ValueRef> copy = source.elements();
      target.get()->body->elements = std::move(copy);
      target.get()->body->block[0] = static_cast<abi::word>(target.elements().size());
      return std::nullopt;
    }
    case Kind::Object: {
      Result r = callMethod(target, "_set", {source});
      return r.error;
    }
    default:
      return std::string("a ") + kindName(target.kind()) + " cannot be assigned to";
  }
}

Result Runtime::assign(const ValueRef& target, const ValueRef& source) {
  if (!target || !source) return Result::fail("nothing to assign");
  if (target.is(Kind::Object)) return set(target, source);
  if (target.is(Kind::Text) && source.is(Kind::Object) &&
      source.get()->body->cls->members.find("_fSet")) {
    Result r = fSet(source, target);
    if (!r.ok()) return r;
    return Result::of(target);
  }
  if (auto error = impl_->copyInto(target, source)) return Result::fail(*error);
  return Result::of(target);
}

Result Runtime::call(std::string_view path, std::vector<ValueRef> args) {
  ValueRef callee = lookup(path);
  if (!callee) return Result::fail("unknown name '" + std::string(path) + "'");
  if (callee.is(Kind::Group)) {
    return Result::fail("'" + std::string(path) + "' is a group: name one of its members");
  }
  return impl_->callValue(callee, std::move(args), {});
}

Result Runtime::callValue(const ValueRef& callee, std::vector<ValueRef> args, ValueRef self) {
  return impl_->callValue(callee, std::move(args), std::move(self));
}

Result Runtime::callMethod(const ValueRef& object, std::string_view name,
                           std::vector<ValueRef> args) {
  return impl_->callMethod(object, name, std::move(args));
}

Result Runtime::newObject(std::string_view className, std::optional<std::string_view> def) {
  ValueRef cls = lookup(className);
  if (!cls.is(Kind::Class)) return Result::fail("unknown class '" + std::string(className) + "'");
  Result made = impl_->makeObject(cls.get()->body->cls);
  if (!made.ok() || !def) return made;
  Result defined = impl_->callMethod(made.value, "_def", {text(*def)});
  if (!defined.ok()) return defined;
  return made;
}

Result Runtime::set(const ValueRef& object, const ValueRef& value) {
  return impl_->callMethod(object, "_set", {value});
}

Result Runtime::fSet(const ValueRef& object, const ValueRef& target) {
  return impl_->callMethod(object, "_fSet", {target});
}

Result Runtime::add(const ValueRef& object, const ValueRef& value) {
  return impl_->callMethod(object, "_add", {value});
}

Result Runtime::form(const ValueRef& value) {
  return impl_->formText(value);
}

Result Runtime::runScript(std::string_view source) {
  if (!impl_->hooks.runScript) return Result::fail("no language is attached");
  return impl_->hooks.runScript(source);
}

std::int32_t Runtime::evalNumber(std::string_view text) {
  if (impl_->hooks.evalNumber) return impl_->hooks.evalNumber(text);
  return decimalValue(text);
}

bool Runtime::libraryRunning() const {
  return impl_->libraryRunning;
}

int Runtime::callDepth() const {
  return impl_->depth;
}

std::size_t Runtime::liveValueCount() const {
  return impl_->registry->values.size();
}

}  // namespace quenda
