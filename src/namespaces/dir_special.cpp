// dir.desk, dir.home, dir.docs and dir.progs: folder objects for the user's special folders.
#include "classes/objects.h"
#include "plugin/host.h"
#include "plugin/routines.h"
#include "special_folder.h"

namespace zorvel {
namespace {

abi::word specialFolderObject(std::int32_t csidl) {
  TextVar path;
  specialFolderPath(csidl, path);
  return host::asWord(makeFolderObject(path.c_str()));
}

}  // namespace

ZV_ROUTINE(dirDesk) {
  return specialFolderObject(kCsidlDesktopDirectory);
}
ZV_ROUTINE(dirHome) {
  return specialFolderObject(kCsidlProfile);
}
ZV_ROUTINE(dirDocs) {
  return specialFolderObject(kCsidlPersonal);
}
ZV_ROUTINE(dirProgs) {
  return specialFolderObject(kCsidlProgramFiles);
}

}  // namespace zorvel
