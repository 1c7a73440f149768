// The members of the class "folder": an object that stands for one folder by its path, which
// ends in a backslash (C:\work\src\).
#include <cstring>

#include "class_protocol.h"
#include "copy_folder_tree.h"
#include "directory_scan.h"
#include "launch/launch_program.h"
#include "launch/quote_argument.h"
#include "numbered_listing.h"
#include "objects.h"
#include "platform/environment.h"
#include "plugin/calls.h"
#include "plugin/module_state.h"
#include "plugin/routines.h"
#include "text/joined_text.h"

namespace zorvel {
namespace {

constexpr std::int32_t kFolderKind = 1;

// The last component of a folder path: the field before the last backslash, or the whole text
// when it has none. C:\work\src\ gives src, C:\ gives C:.
void finalComponent(const char* path, TextVar& out) {
  std::size_t count = 0;
  for (const char* p = path; *p; ++p) count += *p == '\\';
  std::size_t n = count ? count : 1;
  // Field n lies between backslash n - 1 (or the start) and backslash n (or the end).
  const char* start = path;
  for (std::size_t seen = 0; seen + 1 < n; ++start) seen += *start == '\\';
  const char* end = std::strchr(start, '\\');
  out.assign(start, end ? static_cast<std::size_t>(end - start) : std::strlen(start));
}

// The start of the last occurrence of `needle` (not empty) in `text`, or null.
const char* lastOccurrence(const char* text, const char* needle) {
  const char* last = nullptr;
  for (const char* p = std::strstr(text, needle); p; p = std::strstr(p + 1, needle)) last = p;
  return last;
}

// Makes `path`, whose first `folderLength` characters are the folder's, the path of the entry
// `name` (a folder's ends in a backslash). Its length, or 0 when memory ran out.
std::size_t entryPath(TextVar& path, std::size_t folderLength, const char* name, bool isFolder) {
  std::size_t nameLength = std::strlen(name);
  std::size_t length = folderLength + nameLength + (isFolder ? 1 : 0);
  char* at = path.prepare(length);
  if (!at) return 0;
  std::memcpy(at + folderLength, name, nameLength);
  if (isFolder) at[length - 1] = '\\';
  at[length] = 0;
  return length;
}

}  // namespace

ZV_ROUTINE(folderType) {
  return giveNumber(kFolderKind);
}

ZV_ROUTINE(folderName) {
  TextVar name;
  finalComponent(selfPath(), name);
  return giveText(name.c_str());
}

ZV_ROUTINE(folderDown) {
  TextVar name;
  // A copy: the listing's question hands control to the host, which may replace the path.
  TextVar path(selfPath());
  if (!takeTextArguments(name) && path.present()) pickSubfolder(path.c_str(), name);
  TextVar down;
  if (!path.present() || !name.present() || !joinText(down, {path.c_str(), name.c_str()}))
    return kNoResult;
  if (down.last() != '\\') {
    std::size_t length = down.size();
    if (down.append('\\').size() != length + 1) return kNoResult;
  }
  return host::asWord(makeFolderObject(down.c_str()));
}

ZV_ROUTINE(folderUp) {
  const char* path = selfPath();
  TextVar final;
  TextVar needle;
  finalComponent(path, final);
  if (!final.present() || !joinText(needle, {final.c_str(), "\\"})) return kNoResult;
  // Removing the last occurrence of the final component and its backslash leaves the parent.
  TextVar parent;
  const char* at = lastOccurrence(path, needle.c_str());
  if (!at) {
    parent.assign(path);
  } else {
    TextVar before;
    before.assign(path, static_cast<std::size_t>(at - path));
    if (!before.present() || !joinText(parent, {before.c_str(), at + needle.size()})) {
      return kNoResult;
    }
  }
  if (!parent.present()) return kNoResult;
  return host::asWord(makeFolderObject(parent.c_str()));
}

ZV_ROUTINE(folderCopy) {
  TextVar destination;
  if (!takeTextArguments(destination)) return argumentCountError(1);
  copyFolderTree(selfPath(), destination.c_str(), "*.*", copyRecursive);
  return kNoResult;
}

ZV_ROUTINE(folderFiles) {
  // A copy: the host runs between the entries and may replace the path. It then holds each
  // entry's path in turn, its folder part written once.
  TextVar path(selfPath());
  if (!path.present()) return kNoResult;
  const std::size_t folderLength = path.size();
  DirectoryScan* scan = openDirectoryScan(path.c_str(), "*.*");
  if (!scan) return kNoResult;
  abi::ValueRecord* list = host::resultList();
  while (nextDirectoryEntry(scan)) {
    const char* name = directoryEntryName(scan);
    bool isFolder = directoryEntryType(scan) == kFolderEntry;
    if (isFolder && (sameText(name, ".") || sameText(name, ".."))) continue;
    std::size_t length = entryPath(path, folderLength, name, isFolder);
    if (!length) continue;
    abi::ValueRecord* entry =
        isFolder ? makeElementFolderObject(path, length) : makeElementFileObject(path, length);
    if (entry) host::listAppend(list, entry);
  }
  closeDirectoryScan(scan);
  return host::asWord(list);
}

ZV_ROUTINE(folderExp) {
  auto* object = static_cast<PathObject*>(host::getSelfData());
  // The explorer of the Windows folder, by its full path: a bare name would be looked for in
  // the current folder first, where anyone may have put a program of that name.
  char windows[platform::kMaxPath];
  platform::DWORD length = platform::GetWindowsDirectoryA(windows, sizeof windows);
  if (length == 0 || length >= sizeof windows) return kNoResult;
  TextVar explorer;
  TextVar parameters;
  const char* separator = windows[length - 1] == '\\' ? "" : "\\";
  if (!joinText(explorer, {windows, separator, "explorer.exe"}) ||
      !appendQuotedArgument(parameters, object ? object->pathText : "")) {
    return kNoResult;
  }
  launchProgram(explorer.c_str(), parameters.c_str(), "");
  return kNoResult;
}

ZV_ROUTINE(folderNew) {
  return protocol::newObject();
}
ZV_ROUTINE(folderDef) {
  return protocol::defineObject();
}
ZV_ROUTINE(folderDel) {
  return protocol::deleteObject();
}
ZV_ROUTINE(folderForm) {
  return protocol::formObject();
}
ZV_ROUTINE(folderSet) {
  return protocol::setObject(module.folderClass);
}
ZV_ROUTINE(folderFSet) {
  return protocol::fSetObject();
}

ZV_ROUTINE(folderAdd) {
  auto* object = static_cast<PathObject*>(host::getSelfData());
  abi::ValueRecord* operand = host::nextArgValue();
  if (!isTextValue(operand)) return kNoResult;
  const char* added = firstWordText(operand);
  TextVar path;
  if (!joinText(path, {object ? object->pathText : "", added})) return kNoResult;
  if (added[0] == '\\') return host::asWord(makeFolderObject(path.c_str()));
  return host::asWord(makeFileObject(path.c_str()));
}

}  // namespace zorvel
