// The plug-in linked into the same program (native builds): its exports as a LibraryExports.
// Include this only where the library's logic is linked in.
#pragma once

#include "plugin/exports.h"
#include "runtime/runtime.h"

namespace quenda {

inline LibraryExports linkedLibrary() {
  LibraryExports exports;
  exports.dllMain = &DllMain;
  exports.getFunctions = &QuendaGetFunctions;
  exports.initLibrary = &InitLibrary;
  exports.fileClass = &FileClass;
  exports.folderClass = &FolderClass;
  return exports;
}

}  // namespace quenda
