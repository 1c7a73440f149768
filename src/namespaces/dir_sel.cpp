// dir.sel: a numbered listing of every entry of the current directory, and the pick.
#include "classes/numbered_listing.h"
#include "classes/objects.h"
#include "current_directory.h"
#include "platform/files.h"
#include "plugin/calls.h"
#include "plugin/routines.h"

namespace zorvel {

ZV_ROUTINE(dirSel) {
  // Picked names belong to the directory that was listed, whatever the answer does meanwhile.
  TextVar listed;
  currentDirectoryPath(listed);
  NumberedListing listing(listed.c_str(), NumberedListing::kEveryEntry);
  std::int32_t k = listing.ask();
  if (k == 0) return kNoResult;

  TextVar path;
  const char* name = listing.name(k);
  path.assign(listed.c_str(), listed.size()).append(name);
  if (path.size() != listed.size() + textLength(name)) return kNoResult;  // no memory
  if (!listing.isFolder(k)) return host::asWord(makeFileObject(path.c_str()));
  platform::SetCurrentDirectoryA(path.c_str());
  TextVar after;
  currentDirectoryPath(after);
  return host::asWord(makeFolderObject(after.c_str()));
}

}  // namespace zorvel
