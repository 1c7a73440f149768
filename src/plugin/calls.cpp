#include "calls.h"

#include "module_state.h"

namespace zorvel {

abi::word argumentCountError(std::int32_t minimum) {
  TextVar message("The minimal argument count is ");
  TextVar count;
  decimalText(minimum, count);
  message.append(count).append("!");
  return host::raiseError(message.c_str());
}

abi::word invalidArgumentsError() { return host::raiseError("Invalid arguments specified."); }

std::int32_t askNumber() {
  TextVar answer(host::askText("id"));
  return host::evalNumber(answer.c_str());
}

bool isTextValue(const abi::ValueRecord* value) {
  return value && value->type == module.textType;
}

bool isObjectOf(const abi::ValueRecord* value, abi::word classHandle) {
  return value && classHandle != 0 && value->type == classHandle;
}

const char* firstWordText(const abi::ValueRecord* value) {
  if (!value || !value->data) return "";
  const char* text = *static_cast<const char* const*>(value->data);
  return text ? text : "";
}

}  // namespace zorvel
