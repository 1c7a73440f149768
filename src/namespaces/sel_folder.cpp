#include <cstring>

#include "browse_folder_dialog.h"
#include "classes/objects.h"
#include "current_directory.h"
#include "plugin/host.h"
#include "plugin/routines.h"

namespace zorvel {

// selFolder: a folder chosen in the shell's folder browser, started on the current directory,
// as a folder object. A folder inside the current directory gets a path relative to it (the
// current directory itself: an empty path); a cancelled dialog gives an empty path too.
ZV_ROUTINE(selFolder) {
  TextVar directory;
  currentDirectoryPath(directory);
  TextVar chosen;
  browseFolderDialog("Open", directory.c_str(), chosen);
  const char* path = chosen.c_str();
  if (std::strncmp(path, directory.c_str(), directory.size()) == 0) path += directory.size();
  return host::asWord(makeFolderObject(path));
}

}  // namespace zorvel
