// Every routine named in the function tables. Each takes no parameters and returns one word:
// 0 for no result, a result value, or raiseError's result after a wrong call.
#pragma once

#include "abi.h"

#define ZV_ROUTINE(name) abi::word ZV_STDCALL name()

namespace zorvel {

// Class "file".
ZV_ROUTINE(fileType);
ZV_ROUTINE(fileName);
ZV_ROUTINE(fileExt);
ZV_ROUTINE(filePath);
ZV_ROUTINE(fileRename);
ZV_ROUTINE(fileCopy);
ZV_ROUTINE(fileRem);
ZV_ROUTINE(fileNew);
ZV_ROUTINE(fileDef);
ZV_ROUTINE(fileDel);
ZV_ROUTINE(fileForm);
ZV_ROUTINE(fileSet);
ZV_ROUTINE(fileFSet);

// Class "folder".
ZV_ROUTINE(folderType);
ZV_ROUTINE(folderName);
ZV_ROUTINE(folderDown);
ZV_ROUTINE(folderUp);
ZV_ROUTINE(folderCopy);
ZV_ROUTINE(folderFiles);
ZV_ROUTINE(folderExp);
ZV_ROUTINE(folderNew);
ZV_ROUTINE(folderDef);
ZV_ROUTINE(folderDel);
ZV_ROUTINE(folderForm);
ZV_ROUTINE(folderSet);
ZV_ROUTINE(folderFSet);
ZV_ROUTINE(folderAdd);

// Group "dir".
ZV_ROUTINE(dirDesk);
ZV_ROUTINE(dirHome);
ZV_ROUTINE(dirDocs);
ZV_ROUTINE(dirProgs);
ZV_ROUTINE(dirUp);
ZV_ROUTINE(dirDown);
ZV_ROUTINE(dirSel);
ZV_ROUTINE(dirSet);
ZV_ROUTINE(dirGet);

// Group "env".
ZV_ROUTINE(envSet);
ZV_ROUTINE(envGet);
ZV_ROUTINE(envAll);
ZV_ROUTINE(envShowAll);

// Group "clip".
ZV_ROUTINE(clipSet);
ZV_ROUTINE(clipGet);

// Root.
ZV_ROUTINE(run);
ZV_ROUTINE(web);
ZV_ROUTINE(link);
ZV_ROUTINE(webLink);
ZV_ROUTINE(selFile);
ZV_ROUTINE(selFolder);
ZV_ROUTINE(standby);

}  // namespace zorvel
