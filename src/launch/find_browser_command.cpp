#include "find_browser_command.h"

#include "platform/registry.h"
#include "registry_text.h"
#include "text/path_parts.h"
#include "windows_version.h"

namespace zorvel {

bool findBrowserCommand(TextVar& out) {
  out.assign("");
  TextVar progId;
  TextVar command;
  TextVar commandKey;
  if (windowsVersionCode() >= kPerUserBrowserChoiceCode) {
    if (!readRegistryText(platform::kHkeyCurrentUser,
                          "Software\\Microsoft\\Windows\\Shell\\Associations\\UrlAssociations\\"
                          "http\\UserChoice",
                          "ProgID", progId))
      return false;
    commandKey.assign("SOFTWARE\\Classes\\").append(progId).append("\\shell\\open\\command");
    if (!readRegistryText(platform::kHkeyLocalMachine, commandKey.c_str(), "", command))
      return false;
  } else {
    if (!readRegistryText(platform::kHkeyClassesRoot, ".html", "", progId)) return false;
    commandKey.assign(progId.c_str()).append("\\shell\\open\\command");
    if (!readRegistryText(platform::kHkeyClassesRoot, commandKey.c_str(), "", command))
      return false;
  }

  TextVar directory;
  TextVar fileName;
  directoryPart(command.c_str(), directory);
  fileNamePart(command.c_str(), fileName);
  out.assign(directory.c_str()).append(fileName);
  // A cut path could name another program: memory running out here is a failed lookup.
  return directory.present() && fileName.present() &&
         out.size() == directory.size() + fileName.size();
}

}  // namespace zorvel
