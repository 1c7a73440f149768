// run: start a program, or open a document or address, with optional parameters.
#include "launch_program.h"
#include "quote_argument.h"
#include "plugin/calls.h"
#include "plugin/module_state.h"
#include "plugin/routines.h"
#include "text/joined_text.h"
#include "text/path_parts.h"

namespace zorvel {

ZV_ROUTINE(run) {
  TextVar program;
  if (!takeTextArguments(program)) return argumentCountError(1);

  TextVar parameters;
  abi::ValueRecord* second = host::nextArgValue();
  bool whole = true;
  if (isTextValue(second)) {
    whole = joinText(parameters, {firstWordText(second)});
  } else if (isObjectOf(second, module.fileClass) || isObjectOf(second, module.folderClass)) {
    // A file or folder is passed as one parameter, whatever blanks or closing backslash its
    // path holds.
    whole = appendQuotedArgument(parameters, firstWordText(second));
  } else if (second) {
    return invalidArgumentsError();
  }

  TextVar directory;
  directoryPart(program.c_str(), directory);
  // Memory ran out: better nothing started than a program started with the wrong texts.
  if (!whole || !program.present() || !directory.present()) return kNoResult;
  launchProgram(program.c_str(), parameters.c_str(), directory.c_str());
  return kNoResult;
}

}  // namespace zorvel
