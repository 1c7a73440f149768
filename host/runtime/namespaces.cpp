// Groups and their members: the root namespace, groups made by tables and scripts, classes.
#include <utility>

#include "runtime/internal.h"

namespace quenda {

namespace {
constexpr abi::word kMemberTag = 0x524d4251;  // "QBMR": word 0 of every member record

bool reaches(const Group* from, const Group* target) {
  if (from == target) return true;
  for (const auto& m : from->members) {
    if (m->value.is(Kind::Group) && reaches(m->value.get()->body->group.get(), target)) return true;
  }
  return false;
}

std::string joinPath(const std::string& prefix, std::string_view name) {
  return prefix.empty() ? std::string(name) : prefix + "." + std::string(name);
}
}  // namespace

std::vector<std::string_view> splitPath(std::string_view path) {
  std::vector<std::string_view> parts;
  std::size_t start = 0;
  for (std::size_t i = 0; i <= path.size(); ++i) {
    if (i == path.size() || path[i] == '.' || path[i] == '\\') {
      parts.push_back(path.substr(start, i - start));
      start = i + 1;
    }
  }
  if (parts.size() > 1 && parts.front() == "main") parts.erase(parts.begin());
  if (parts.size() == 1 && (parts[0] == "main" || parts[0].empty())) parts.clear();
  return parts;
}

void Member::setValue(ValueRef v) {
  value = std::move(v);
  cell = value.record();
  record.valueCell = &cell;
}

std::string Member::path() const {
  return joinPath(parent->path, name);
}

Member::~Member() {
  if (registry) registry->members.erase(this);
}

Member* Group::find(std::string_view name) const {
  auto it = byName.find(name);
  return it == byName.end() ? nullptr : it->second;
}

Member* Group::add(std::string name, ValueRef value) {
  auto m = std::make_unique<Member>();
  m->name = std::move(name);
  m->parent = this;
  m->index = members.size();
  m->registry = registry;
  m->record.host0 = kMemberTag;
  m->record.host1 = wordOf(this);
  m->record.name = m->name.c_str();
  m->setValue(std::move(value));
  registry->members.insert(m.get());
  Member* added = m.get();
  members.push_back(std::move(m));  // on failure m still owns the member, which unregisters
  try {
    byName.emplace(added->name, added);
  } catch (...) {
    members.pop_back();
    throw;
  }
  return added;
}

void Group::removeLast() {
  Member* last = members.back().get();
  if (ownerClass && ownerClass->newMember == last) ownerClass->newMember = nullptr;
  if (ownerClass && ownerClass->delMember == last) ownerClass->delMember = nullptr;
  // Out of the index first: releasing the value may run a _del that looks names up.
  auto it = byName.find(last->name);
  if (it != byName.end() && it->second == last) byName.erase(it);
  members.pop_back();
}

void Group::clear() {
  while (!members.empty()) removeLast();
}

Group::~Group() {
  // Members go first: their values may still look at this group while they are released.
  clear();
  if (registered) registry->groups.erase(this);
}

Group* Runtime::Impl::groupOf(const ValueRef& v) const {
  if (v.is(Kind::Group)) return v.get()->body->group.get();
  if (v.is(Kind::Class)) return &v.get()->body->cls->members;
  return nullptr;
}

void Runtime::Impl::retire(const Member& m, ValueRef v) {
  // Someone running may hold the old value's record or data block (a job's refresh number).
  if (depth == 0 || !v) return;
  // standby holds the member records of a job group and the blocks of these two numbers.
  bool standbyReads = v.is(Kind::Group) || m.name == "refresh" || m.name == "disabled";
  (standbyReads ? pinned : retired).push_back(std::move(v));
}

void Runtime::Impl::flushRetired() {
  if (depth > 0) return;
  releaseRetiredAfter(0);
  if (flushing) return;
  flushing = true;
  while (!pinned.empty()) {
    std::vector<ValueRef> batch = std::move(pinned);
    pinned.clear();
    batch.clear();  // a _del may retire more meanwhile
  }
  flushing = false;
}

void Runtime::Impl::releaseRetiredAfter(std::size_t kept) {
  if (flushing) return;
  flushing = true;
  while (retired.size() > kept) {
    std::vector<ValueRef> batch(std::make_move_iterator(retired.begin() + kept),
                                std::make_move_iterator(retired.end()));
    retired.resize(kept);
    batch.clear();  // a _del may retire more meanwhile
  }
  flushing = false;
}

Result Runtime::Impl::put(Group* group, std::string_view name, const ValueRef& value) {
  if (name.empty()) return Result::fail("a member needs a name");
  if (!value) return Result::fail("no value to give '" + joinPath(group->path, name) + "'");
  if (value.is(Kind::Group) && reaches(value.get()->body->group.get(), group)) {
    return Result::fail("the group '" + value.name() + "' cannot be placed inside itself");
  }
  Member* m = group->find(name);
  if (!m) {
    group->add(std::string(name), value);
    return Result::of(value);
  }
  if (m->value.same(value)) return Result::of(value);
  if (m->value.is(Kind::Number) && value.is(Kind::Number)) {
    m->value.get()->body->block[0] = static_cast<abi::word>(value.number());
    return Result::of(m->value);
  }
  if (m->value.is(Kind::Text) && value.is(Kind::Text)) {
    setText(m->value.get(), value.text());
    return Result::of(m->value);
  }
  retire(*m, m->value);
  m->setValue(value);
  return Result::of(value);
}

abi::word Runtime::Impl::createClass(std::string_view name, Group* where) {
  auto cls = std::make_unique<Class>();
  cls->name = std::string(name);
  cls->newWhat = cls->name + "._new";
  cls->delWhat = cls->name + "._del";
  cls->members.path = joinPath(where->path, name);
  cls->members.registry = registry.get();
  cls->members.ownerClass = cls.get();
  Class* raw = cls.get();
  abi::word handle = wordOf(raw);
  registry->classes.emplace(handle, std::move(cls));
  Result placed = put(where, name, makeClassValue(raw));
  if (!placed.ok()) {
    fail("createClass: " + *placed.error);
    return 0;
  }
  return handle;
}

namespace {
std::optional<std::string> checkRoutines(const std::string& prefix,
                                         const std::vector<TableEntry>& entries) {
  for (const TableEntry& e : entries) {
    std::string path = joinPath(prefix, e.name);
    if (e.kind == abi::kTableFunction && !e.routine) {
      return "the routine '" + path + "' has address 0";
    }
    if (auto error = checkRoutines(path, e.entries)) return error;
  }
  return std::nullopt;
}
}  // namespace

std::optional<std::string> Runtime::Impl::registerTable(Group* target,
                                                        const std::vector<TableEntry>& entries) {
  // Checked first, so a faulty table registers nothing at all.
  if (auto error = checkRoutines(target->path, entries)) return error;
  for (const TableEntry& e : entries) {
    if (e.kind == abi::kTableFunction) {
      Result placed =
          put(target, e.name,
              makeRoutine(joinPath(target->path, e.name), e.routine, target->ownerClass));
      if (!placed.ok()) return placed.error;
      continue;
    }
    Member* m = target->find(e.name);
    Group* sub = nullptr;
    if (m && m->value.is(Kind::Group)) {
      sub = m->value.get()->body->group.get();  // a second registration adds to the group
    } else {
      ValueRef g = makeGroup(joinPath(target->path, e.name));
      sub = g.get()->body->group.get();
      sub->ownerClass = target->ownerClass;
      Result placed = put(target, e.name, g);
      if (!placed.ok()) return placed.error;
    }
    if (auto error = registerTable(sub, e.entries)) return error;
  }
  return std::nullopt;
}

ValueRef Runtime::root() const {
  return impl_->rootValue;
}

ValueRef Runtime::lookup(std::string_view path) const {
  if (path.empty()) return {};
  ValueRef v = impl_->rootValue;
  for (std::string_view part : splitPath(path)) {
    Group* g = impl_->groupOf(v);
    Member* m = g ? g->find(part) : nullptr;
    if (!m) return {};
    v = m->value;
  }
  return v;
}

ValueRef Runtime::member(const ValueRef& group, std::string_view name) const {
  Group* g = impl_->groupOf(group);
  Member* m = g ? g->find(name) : nullptr;
  return m ? m->value : ValueRef();
}

std::vector<std::pair<std::string, ValueRef>> Runtime::members(const ValueRef& group) const {
  std::vector<std::pair<std::string, ValueRef>> out;
  if (Group* g = impl_->groupOf(group)) {
    for (const auto& m : g->members) out.emplace_back(m->name, m->value);
  }
  return out;
}

Result Runtime::define(std::string_view path, const ValueRef& value) {
  std::vector<std::string_view> parts = splitPath(path);
  if (parts.empty()) return Result::fail("no name to define in '" + std::string(path) + "'");
  Group* g = impl_->rootGroup;
  for (std::size_t i = 0; i < parts.size(); ++i) {
    if (parts[i].empty())
      return Result::fail("the path '" + std::string(path) + "' has an empty name");
  }
  for (std::size_t i = 0; i + 1 < parts.size(); ++i) {
    Member* m = g->find(parts[i]);
    if (!m) {
      ValueRef sub = impl_->makeGroup(joinPath(g->path, parts[i]));
      g->add(std::string(parts[i]), sub);
      g = sub.get()->body->group.get();
    } else if (m->value.is(Kind::Group)) {
      g = m->value.get()->body->group.get();
    } else {
      return Result::fail("'" + m->path() + "' is a " + kindName(m->value.kind()) +
                          ", not a group");
    }
  }
  return impl_->put(g, parts.back(), value);
}

std::vector<NameInfo> Runtime::names() const {
  std::vector<NameInfo> out;
  auto walk = [&out](auto& self, const Group& g) -> void {
    for (const auto& m : g.members) {
      out.push_back({m->path(), m->value.kind()});
      if (m->value.is(Kind::Group)) self(self, *m->value.get()->body->group);
      if (m->value.is(Kind::Class)) self(self, m->value.get()->body->cls->members);
    }
  };
  walk(walk, *impl_->rootGroup);
  return out;
}

}  // namespace quenda
