#include "lang_fake_library.h"

#include <cstdlib>
#include <cstring>
#include <string>

namespace langtest {
namespace {

using abi::ValueRecord;
using abi::word;

const void* const* slots = nullptr;
word thingClass = 0;
word textType = 0;
int things = 0;

template <typename Fn>
Fn slot(int index) {
  return reinterpret_cast<Fn>(const_cast<void*>(slots[index]));
}

int ZV_STDCALL assignText(const char* text, char** variable) {
  std::free(*variable);
  *variable = strdup(text ? text : "");
  return 0;
}

// A text argument, or "" with present = false.
std::string nextText(bool* present = nullptr) {
  char* text = nullptr;
  word got = slot<abi::NextArgTextFn>(abi::kNextArgText)(&text);
  std::string out = text ? text : "";
  std::free(text);
  if (present) *present = got != 0;
  return out;
}

ValueRecord* nextValue() {
  ValueRecord* value = nullptr;
  slot<abi::NextArgValueFn>(abi::kNextArgValue)(&value);
  return value;
}

struct ThingData {
  char* path;
};

ThingData* selfData() {
  return static_cast<ThingData*>(slot<abi::GetSelfDataFn>(abi::kGetSelfData)());
}

void setPath(ThingData* data, const std::string& path) {
  std::free(data->path);
  data->path = strdup(path.c_str());
}

word result(ValueRecord* value) {
  return static_cast<word>(reinterpret_cast<std::uintptr_t>(value));
}

word ZV_STDCALL thingNew() {
  protocolLog().push_back("_new");
  ValueRecord* self = slot<abi::GetSelfFn>(abi::kGetSelf)();
  self->data = new ThingData{strdup("")};
  self->flags |= abi::kNewFlag;
  ++things;
  return 0;
}

word ZV_STDCALL thingDef() {
  bool present = false;
  std::string text = nextText(&present);
  protocolLog().push_back("_def " + text);
  if (present) setPath(selfData(), text);
  return 0;
}

word ZV_STDCALL thingDel() {
  protocolLog().push_back("_del");
  ThingData* data = selfData();
  std::free(data->path);
  delete data;
  --things;
  return 0;
}

word ZV_STDCALL thingForm() {
  protocolLog().push_back("_form");
  return result(slot<abi::NewTextFn>(abi::kResultText)(selfData()->path));
}

word ZV_STDCALL thingSet() {
  ValueRecord* source = nextValue();
  ValueRecord* self = slot<abi::GetSelfFn>(abi::kGetSelf)();
  if (source && source->type == textType) {
    const char* text = *static_cast<const char* const*>(source->data);
    protocolLog().push_back(std::string("_set ") + text);
    setPath(selfData(), text);
  } else if (source && source->type == thingClass) {
    const char* path = static_cast<ThingData*>(source->data)->path;
    protocolLog().push_back(std::string("_set ") + path);
    setPath(selfData(), path);
  } else {
    protocolLog().push_back("_set ?");
  }
  return result(self);
}

word ZV_STDCALL thingFSet() {
  protocolLog().push_back("_fSet");
  ValueRecord* target = nextValue();
  if (!target || target->type != textType) return result(target);
  ValueRecord* text = slot<abi::NewTextFn>(abi::kResultText)(selfData()->path);
  slot<abi::AssignValueFn>(abi::kAssignValue)(target, text);
  return result(target);
}

word ZV_STDCALL thingAdd() {
  ValueRecord* operand = nextValue();
  if (!operand || operand->type != textType) {
    protocolLog().push_back("_add ?");
    return 0;
  }
  const char* text = *static_cast<const char* const*>(operand->data);
  protocolLog().push_back(std::string("_add ") + text);
  std::string joined = std::string(selfData()->path) + text;
  ValueRecord* made = slot<abi::NewObjectFn>(abi::kResultObject)(thingClass);
  setPath(static_cast<ThingData*>(made->data), joined);
  return result(made);
}

word ZV_STDCALL thingName() {
  return result(slot<abi::NewTextFn>(abi::kResultText)(selfData()->path));
}

// count(a, b, ...): the number of arguments.
word ZV_STDCALL countArgs() {
  int n = 0;
  while (nextValue()) ++n;
  return result(slot<abi::ResultNumberFn>(abi::kResultNumber)(n));
}

// need(text): the argument-count error without an argument, else the text back.
word ZV_STDCALL need() {
  bool present = false;
  std::string text = nextText(&present);
  if (!present)
    return slot<abi::RaiseErrorFn>(abi::kRaiseError)("The minimal argument count is 1!");
  return result(slot<abi::NewTextFn>(abi::kResultText)(text.c_str()));
}

// pair(a, b): a list of two texts.
word ZV_STDCALL pair() {
  std::string a = nextText();
  std::string b = nextText();
  ValueRecord* list = slot<abi::NewListFn>(abi::kResultList)();
  slot<abi::ListAppendFn>(abi::kListAppend)(list, slot<abi::NewTextFn>(abi::kNewText)(a.c_str()));
  slot<abi::ListAppendFn>(abi::kListAppend)(list, slot<abi::NewTextFn>(abi::kNewText)(b.c_str()));
  return result(list);
}

// say(text): one printed line.
word ZV_STDCALL say() {
  std::string text = nextText();
  slot<abi::PrintLineFn>(abi::kPrintLine)(0, text.c_str(), 0);
  return 0;
}

// pick: asks for "id" and gives evalNumber of the answer, as the listings do.
word ZV_STDCALL pick() {
  const char* answer = slot<abi::AskTextFn>(abi::kAskText)("id", 0);
  std::string copy = answer ? answer : "";
  int n = slot<abi::EvalNumberFn>(abi::kEvalNumber)(copy.c_str());
  return result(slot<abi::ResultNumberFn>(abi::kResultNumber)(n));
}

// hand(text): hands the text to runScript, as link does; no result.
word ZV_STDCALL hand() {
  std::string text = nextText();
  slot<abi::RunScriptFn>(abi::kRunScript)(text.c_str());
  return 0;
}

// run(program [, value]): prints what it would start, as "run <program>" or "run <program> <arg>".
word ZV_STDCALL runProgram() {
  bool present = false;
  std::string program = nextText(&present);
  if (!present)
    return slot<abi::RaiseErrorFn>(abi::kRaiseError)("The minimal argument count is 1!");
  std::string line = "run " + program;
  if (ValueRecord* value = nextValue()) {
    if (value->type == textType) {
      line += std::string(" ") + *static_cast<const char* const*>(value->data);
    } else if (value->type == thingClass) {
      line += std::string(" ") + static_cast<ThingData*>(value->data)->path;
    } else {
      return slot<abi::RaiseErrorFn>(abi::kRaiseError)("Invalid arguments specified.");
    }
  }
  slot<abi::PrintLineFn>(abi::kPrintLine)(0, line.c_str(), 0);
  return 0;
}

// jobs: one pass over the job group, as the scheduler walks it: prints each job's name and its
// refresh number, then calls its action.
word ZV_STDCALL jobs() {
  word group = slot<abi::FindNamespaceFn>(abi::kFindNamespace)("job", -1);
  for (abi::MemberRecord* job = slot<abi::FirstMemberFn>(abi::kFirstMember)(group); job;
       job = slot<abi::NextMemberFn>(abi::kNextMember)(job)) {
    abi::MemberRecord* action = nullptr;
    std::string line = std::string("job ") + job->name;
    for (abi::MemberRecord* item = slot<abi::FirstMemberFn>(abi::kFirstMember)(
             static_cast<word>(reinterpret_cast<std::uintptr_t>(job)));
         item; item = slot<abi::NextMemberFn>(abi::kNextMember)(item)) {
      if (std::strcmp(item->name, "refresh") == 0) {
        line += " refresh " + std::to_string(*static_cast<std::int32_t*>((*item->valueCell)->data));
      }
      if (std::strcmp(item->name, "action") == 0) action = item;
    }
    slot<abi::PrintLineFn>(abi::kPrintLine)(0, line.c_str(), 0);
    slot<abi::CallMemberFn>(abi::kCallMember)(action, -1, 0);
  }
  return 0;
}

std::vector<unsigned char> table;

void addFunction(const char* name, abi::Routine routine) {
  table.push_back(abi::kTableFunction);
  table.insert(table.end(), name, name + std::strlen(name) + 1);
  std::uint32_t address = static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(routine));
  for (int i = 0; i < 4; ++i) table.push_back(static_cast<unsigned char>(address >> (8 * i)));
}

void addGroup(const char* name) {
  table.push_back(abi::kTableGroup);
  table.insert(table.end(), name, name + std::strlen(name) + 1);
}

word ZV_STDCALL getFunctions(const void* const* hostSlots) {
  slots = hostSlots;
  for (int i = 0; i < abi::kStandingValueCount; ++i) {
    word value = slot<abi::StandingFn>(i)();
    if (i == abi::kGetTextType) textType = value;
  }
  slot<abi::SetTextAssignerFn>(abi::kSetTextAssigner)(&assignText);
  return 0;
}

word ZV_STDCALL initLibrary() {
  word root = slot<abi::StandingFn>(abi::kGetRootNamespace)();
  thingClass = slot<abi::CreateClassFn>(abi::kCreateClass)("thing", root);

  static std::vector<unsigned char> thingTable;
  table.clear();
  addFunction("name", &thingName);
  addFunction("_new", &thingNew);
  addFunction("_def", &thingDef);
  addFunction("_del", &thingDel);
  addFunction("_form", &thingForm);
  addFunction("_set", &thingSet);
  addFunction("_fSet", &thingFSet);
  addFunction("_add", &thingAdd);
  table.push_back(abi::kTableEnd);
  thingTable = table;
  slot<abi::RegisterFunctionsFn>(abi::kRegisterFunctions)(thingClass, thingTable.data());

  static std::vector<unsigned char> rootTable;
  table.clear();
  addGroup("tool");
  addFunction("count", &countArgs);
  addFunction("pair", &pair);
  table.push_back(abi::kTableEnd);
  addFunction("need", &need);
  addFunction("say", &say);
  addFunction("pick", &pick);
  addFunction("hand", &hand);
  addFunction("jobs", &jobs);
  addFunction("run", &runProgram);
  addGroup("job");
  table.push_back(abi::kTableEnd);
  table.push_back(abi::kTableEnd);
  rootTable = table;
  slot<abi::RegisterFunctionsFn>(abi::kRegisterFunctions)(root, rootTable.data());
  return 0;
}

word ZV_STDCALL classHandle() {
  return thingClass;
}

}  // namespace

quenda::LibraryExports fakeLibrary() {
  quenda::LibraryExports exports;
  exports.getFunctions = &getFunctions;
  exports.initLibrary = &initLibrary;
  exports.fileClass = &classHandle;
  exports.folderClass = &classHandle;
  return exports;
}

std::vector<std::string>& protocolLog() {
  static std::vector<std::string> log;
  return log;
}

int liveThings() {
  return things;
}

}  // namespace langtest
