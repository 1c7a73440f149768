// run: start a program, or open a document or address, with optional parameters.
#include "classes/path_parts.h"
#include "launch_program.h"
#include "plugin/calls.h"
#include "plugin/module.h"
#include "plugin/routines.h"

namespace zorvel {

ZV_ROUTINE(run) {
  TextVar program;
  if (!takeTextArguments(program)) return argumentCountError(1);

  TextVar parameters("");
  abi::ValueRecord* second = host::nextArgValue();
  if (isTextValue(second)) {
    parameters.assign(firstWordText(second));
  } else if (isObjectOf(second, module.fileClass) || isObjectOf(second, module.folderClass)) {
    // A file or folder is passed as one parameter, whatever blanks its path holds.
    parameters.assign("\"").append(firstWordText(second)).append("\"");
  } else if (second) {
    return invalidArgumentsError();
  }

  TextVar directory;
  directoryPart(program.c_str(), directory);
  launchProgram(program.c_str(), parameters.c_str(), directory.c_str());
  return kNoResult;
}

}  // namespace zorvel
