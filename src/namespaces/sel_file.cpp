#include "classes/objects.h"
#include "current_directory.h"
#include "open_file_dialog.h"
#include "plugin/host.h"
#include "plugin/routines.h"

namespace zorvel {

// selFile: a file chosen in the "Open" dialog, started in the current directory, as a file
// object; its path is empty when the dialog was cancelled.
ZV_ROUTINE(selFile) {
  TextVar directory;
  currentDirectoryPath(directory);
  TextVar chosen;
  openFileDialog("Open", directory.c_str(), "*.*", 0, chosen);
  return host::asWord(makeFileObject(chosen.c_str()));
}

}  // namespace zorvel
