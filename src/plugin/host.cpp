#include "host.h"

#include "module_state.h"

namespace zorvel::host {
namespace {

template <typename Fn>
Fn slot(int index) {
  return reinterpret_cast<Fn>(const_cast<void*>(module.hostSlots[index]));
}

}  // namespace

abi::ValueRecord* getSelf() { return slot<abi::GetSelfFn>(abi::kGetSelf)(); }
void* getSelfData() { return slot<abi::GetSelfDataFn>(abi::kGetSelfData)(); }
abi::word raiseError(const char* message) {
  return slot<abi::RaiseErrorFn>(abi::kRaiseError)(message);
}
abi::word runScript(const char* source) { return slot<abi::RunScriptFn>(abi::kRunScript)(source); }
std::int32_t evalNumber(const char* text) {
  return slot<abi::EvalNumberFn>(abi::kEvalNumber)(text);
}
abi::word assignValue(abi::ValueRecord* target, abi::ValueRecord* source) {
  return slot<abi::AssignValueFn>(abi::kAssignValue)(target, source);
}
abi::ValueRecord* newObject(abi::word classHandle) {
  return slot<abi::NewObjectFn>(abi::kNewObject)(classHandle);
}
abi::ValueRecord* newText(const char* text) { return slot<abi::NewTextFn>(abi::kNewText)(text); }
abi::ValueRecord* newList() { return slot<abi::NewListFn>(abi::kNewList)(); }
abi::ValueRecord* resultObject(abi::word classHandle) {
  return slot<abi::NewObjectFn>(abi::kResultObject)(classHandle);
}
abi::ValueRecord* resultNumber(std::int32_t n) {
  return slot<abi::ResultNumberFn>(abi::kResultNumber)(n);
}
abi::ValueRecord* resultText(const char* text) {
  return slot<abi::NewTextFn>(abi::kResultText)(text);
}
abi::ValueRecord* resultList() { return slot<abi::NewListFn>(abi::kResultList)(); }
abi::ValueRecord* nextArgValue() {
  abi::ValueRecord* value = nullptr;
  slot<abi::NextArgValueFn>(abi::kNextArgValue)(&value);
  return value;
}
bool nextArgText(char** textVariable) {
  return slot<abi::NextArgTextFn>(abi::kNextArgText)(textVariable) != 0;
}
abi::word listAppend(abi::ValueRecord* list, abi::ValueRecord* value) {
  return slot<abi::ListAppendFn>(abi::kListAppend)(list, value);
}
abi::word createClass(const char* name, abi::word namespaceHandle) {
  return slot<abi::CreateClassFn>(abi::kCreateClass)(name, namespaceHandle);
}
abi::MemberRecord* firstMember(abi::word groupOrMember) {
  return slot<abi::FirstMemberFn>(abi::kFirstMember)(groupOrMember);
}
abi::word callMember(abi::MemberRecord* member) {
  return slot<abi::CallMemberFn>(abi::kCallMember)(member, -1, 0);
}
abi::MemberRecord* nextMember(abi::MemberRecord* member) {
  return slot<abi::NextMemberFn>(abi::kNextMember)(member);
}
abi::word findNamespace(const char* name) {
  return slot<abi::FindNamespaceFn>(abi::kFindNamespace)(name, -1);
}
abi::word registerFunctions(abi::word namespaceOrClass, const unsigned char* table) {
  return slot<abi::RegisterFunctionsFn>(abi::kRegisterFunctions)(namespaceOrClass, table);
}
abi::word printLine(const char* text) { return slot<abi::PrintLineFn>(abi::kPrintLine)(0, text, 0); }
const char* askText(const char* label) { return slot<abi::AskTextFn>(abi::kAskText)(label, 0); }

}  // namespace zorvel::host
