// dir.get, dir.set, dir.up and dir.down: the process's current directory.
#include "classes/numbered_listing.h"
#include "classes/objects.h"
#include "current_directory.h"
#include "platform/files.h"
#include "plugin/calls.h"
#include "plugin/routines.h"
#include "text/path_parts.h"

namespace zorvel {
namespace {

// The folder object for the current directory, read now.
abi::word currentFolderObject() {
  TextVar path;
  currentDirectoryPath(path);
  return host::asWord(makeFolderObject(path.c_str()));
}

// `path` (ending in a backslash) without its final component and the backslash behind it;
// empty at a drive root, whose final component is the drive itself.
void parentPath(const TextVar& path, TextVar& out) {
  const char* text = path.c_str();
  std::size_t end = path.size();
  if (end > 0 && text[end - 1] == '\\') --end;
  while (end > 0 && text[end - 1] != '\\') --end;
  out.assign(text, end);
}

}  // namespace

ZV_ROUTINE(dirGet) {
  return currentFolderObject();
}

ZV_ROUTINE(dirSet) {
  TextVar path;
  if (!takeTextArguments(path)) return argumentCountError(1);
  if (fitsPath(path.c_str())) platform::SetCurrentDirectoryA(path.c_str());
  return kNoResult;
}

ZV_ROUTINE(dirUp) {
  TextVar current, parent;
  currentDirectoryPath(current);
  parentPath(current, parent);
  if (fitsPath(parent.c_str())) platform::SetCurrentDirectoryA(parent.c_str());
  return currentFolderObject();
}

ZV_ROUTINE(dirDown) {
  TextVar name;
  bool named = host::nextArgText(name.cell());
  TextVar current;
  currentDirectoryPath(current);
  if (!named) pickSubfolder(current.c_str(), name);
  // Always relative to the current directory: ".." reaches the parent, an empty name (nothing
  // picked) names the current directory itself.
  TextVar target;
  target.assign(current.c_str(), current.size()).append(name);
  if (fitsPath(target.c_str())) platform::SetCurrentDirectoryA(target.c_str());
  return currentFolderObject();
}

}  // namespace zorvel
