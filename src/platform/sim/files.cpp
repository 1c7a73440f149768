// The simulated file system and current directory: drives C:\ and D:\, "\" and "/" as
// separators, names compared case-insensitively (ASCII letters) and kept in the case they were
// made with, "." and ".." entries in every folder but a drive root, entries in creation order,
// and the path rules and error codes that files.h gives. Names are kept as Unicode (UTF-8): the
// seam's ANSI texts are converted with the process's code page on the way in, and names on the
// way out only when the code page holds them exactly.
#include "../files.h"
#include "../file_identity.h"

#include <algorithm>
#include <cstring>
#include <memory>

#include "../code_page.h"
#include "core.h"

namespace platform {
namespace {

using sim::detail::fail;
using sim::detail::recordCall;
using sim::detail::upper;

constexpr std::size_t kLongestName = 255;  // what NTFS (and Linux) store
constexpr DWORD kSettableAttributes =
    kFileAttributeReadonly | kFileAttributeHidden | kFileAttributeSystem | kFileAttributeArchive |
    0x100 /* TEMPORARY */ | 0x1000 /* OFFLINE */ | 0x2000 /* NOT_CONTENT_INDEXED */;
constexpr const char* kSearch = "search";
// An existing hidden or system file is replaced only by one that has those attributes too.
constexpr DWORD kHiddenOrSystem = kFileAttributeHidden | kFileAttributeSystem;

struct Node {
  std::string name;       // "" for a drive root
  std::string shortName;  // an 8.3 alias, or ""
  bool folder = false;
  DWORD attributes = 0;
  std::string content;
  Node* parent = nullptr;
  std::vector<std::unique_ptr<Node>> children;  // in creation order
  std::uint64_t index = nextIndex();            // the file index: never reused in a run
  Node* junction = nullptr;                     // a junction's target folder, which outlives it

  static std::uint64_t nextIndex() {
    static std::uint64_t last = 0x1000;
    return ++last;
  }

  Node* child(const std::string& n) const {
    for (const auto& c : children)
      if (sim::detail::sameText(c->name, n) ||
          (!c->shortName.empty() && sim::detail::sameText(c->shortName, n)))
        return c.get();
    return nullptr;
  }
};

struct FileSystem {
  std::unique_ptr<Node> c = makeRoot();
  std::unique_ptr<Node> d = makeRoot();
  std::string cwd = "C:\\";

  static std::unique_ptr<Node> makeRoot() {
    auto root = std::make_unique<Node>();
    root->folder = true;
    root->attributes = kFileAttributeDirectory;
    return root;
  }
  Node* root(char drive) {
    if (upper(drive) == 'C') return c.get();
    if (upper(drive) == 'D') return d.get();
    return nullptr;
  }
};

sim::detail::AreaState<FileSystem> fs;

// ---- Paths ----

// A full path: the drive, the names below its root, and whether the text ended in a separator
// after a name.
struct Path {
  char drive = 0;
  std::vector<std::string> parts;
  bool trailing = false;

  static bool separator(char c) { return c == '\\' || c == '/'; }
  std::string text() const {
    std::string t = std::string(1, drive) + ":\\";
    for (std::size_t i = 0; i < parts.size(); ++i) t += (i ? "\\" : "") + parts[i];
    return trailing ? t + "\\" : t;
  }
};

// Adds the names of `text` to `path` by the rules of files.h: empty names (repeated separators)
// and "." go, ".." takes the last name away (none at the root), a name followed by a separator
// loses one trailing dot, and the last name loses its trailing dots and spaces.
void addNames(Path& path, const std::string& text) {
  std::size_t at = 0;
  bool last = false;
  while (!last) {
    std::size_t end = at;
    while (end < text.size() && !Path::separator(text[end])) ++end;
    last = end >= text.size();
    std::string name = text.substr(at, end - at);
    at = end + 1;
    if (name.empty() || name == ".") continue;
    if (name == "..") {
      if (!path.parts.empty()) path.parts.pop_back();
      continue;
    }
    if (!last && name.back() == '.') name.pop_back();
    path.parts.push_back(name);
  }
  path.trailing = !path.parts.empty() && !text.empty() && Path::separator(text.back());
  if (path.trailing || path.parts.empty()) return;
  std::string& name = path.parts.back();
  while (!name.empty() && (name.back() == '.' || name.back() == ' ')) name.pop_back();
  if (name.empty()) {  // nothing of the last name is left: the path ends in its separator
    path.parts.pop_back();
    path.trailing = !path.parts.empty();
  }
}

// Where a path text comes from: the seam (in the code page, at most 260 characters, or any length
// where Wine takes any), or the control interface (UTF-8, any length).
enum class From { kSeam, kSeamAnyLength, kControl };

// The full path of `text` against the current directory `cwd`.
DWORD resolve(const char* text, Path& out, From from = From::kSeam,
              const std::string& cwd = fs->cwd) {
  if (!text || !*text) return kErrorPathNotFound;
  if (from == From::kSeam && std::strlen(text) > kMaxPath) return kErrorFilenameExcedRange;
  const std::string s = from == From::kControl ? std::string(text) : sim::detail::unicodeOf(text);
  if (cwd.size() < 3 || cwd[1] != ':') return kErrorPathNotFound;
  if (Path::separator(s[0]) && s.size() > 1 && Path::separator(s[1]))
    return kErrorPathNotFound;  // UNC and device paths: the simulation has no network
  Path base;
  std::string rest = s;
  bool fromCurrent = true;
  if (s.size() >= 2 && upper(s[0]) >= 'A' && upper(s[0]) <= 'Z' && s[1] == ':') {
    base.drive = s[0];
    rest = s.substr(2);
    fromCurrent = upper(cwd[0]) == upper(s[0]) && (rest.empty() || !Path::separator(rest[0]));
  } else {
    base.drive = cwd[0];
    fromCurrent = !Path::separator(s[0]);
  }
  if (fromCurrent) {
    addNames(base, cwd.substr(3));
    if (!base.parts.empty()) rest = "\\" + rest;  // the current directory is a folder
  }
  addNames(base, rest);
  out = base;
  return 0;
}

// A name that Windows refuses where a plain name is wanted. "." and ".." are left by the rules
// only from odd names such as "...".
bool invalidName(const std::string& name) {
  for (char c : name)
    if (std::strchr("*?<>|\"", c) || static_cast<unsigned char>(c) < 0x20) return true;
  return name == "." || name == "..";
}

// The error for making an entry of this (valid) name, or 0.
DWORD creatable(const std::string& name) {
  if (sim::detail::utf16Length(name) > kLongestName) return kErrorFileNotFound;  // as Wine
  if (name.find(':') != std::string::npos) return kErrorFileNotFound;  // a stream of nothing
  return 0;
}

// A junction's target, any other entry itself.
Node* followJunction(Node* node) {
  return node && node->junction ? node->junction : node;
}

// Follows parts[0, count) as folders from the drive root. `lastIsFile` is set when the only
// problem is that parts[count - 1] is a file.
DWORD walk(const Path& p, std::size_t count, Node*& folder, bool* lastIsFile = nullptr) {
  Node* node = fs->root(p.drive);
  if (!node) return kErrorPathNotFound;
  for (std::size_t i = 0; i < count; ++i) {
    if (invalidName(p.parts[i])) return kErrorInvalidName;
    Node* next = followJunction(node->child(p.parts[i]));
    if (!next || !next->folder) {
      if (lastIsFile && next && i + 1 == count) *lastIsFile = true;
      return kErrorPathNotFound;
    }
    node = next;
  }
  folder = node;
  return 0;
}

struct Target {
  Path path;
  Node* parent = nullptr;  // the folder that holds (or would hold) the entry; null for a root
  Node* node = nullptr;    // the entry, or null when it does not exist
  std::string name;        // the last name as written
};

// Resolves `text` down to its last name: 0, or the error of the path or of a folder on the way.
// A missing last name is no error (node stays null) unless `existing` asks for the entry, which
// a file named with a closing separator is not.
DWORD locate(const char* text, Target& t, bool existing, From from = From::kSeam) {
  if (DWORD e = resolve(text, t.path, from)) return e;
  if (t.path.parts.empty()) {
    t.node = fs->root(t.path.drive);
    return t.node ? 0 : kErrorPathNotFound;
  }
  if (DWORD e = walk(t.path, t.path.parts.size() - 1, t.parent)) return e;
  t.name = t.path.parts.back();
  if (invalidName(t.name)) return kErrorInvalidName;
  t.node = t.parent->child(t.name);
  if (existing && !t.node) return kErrorFileNotFound;
  if (existing && t.path.trailing && !t.node->folder) return kErrorPathNotFound;
  return 0;
}

Node* add(Node* parent, const std::string& name, bool folder) {
  auto node = std::make_unique<Node>();
  node->name = name;
  node->folder = folder;
  node->attributes = folder ? kFileAttributeDirectory : kFileAttributeArchive;
  node->parent = parent;
  parent->children.push_back(std::move(node));
  return parent->children.back().get();
}

std::unique_ptr<Node> detach(Node* node) {
  auto& siblings = node->parent->children;
  auto it = std::find_if(siblings.begin(), siblings.end(),
                         [&](const std::unique_ptr<Node>& c) { return c.get() == node; });
  std::unique_ptr<Node> owned = std::move(*it);
  siblings.erase(it);
  return owned;
}

bool within(const Node* node, const Node* ancestor) {
  for (; node; node = node->parent)
    if (node == ancestor) return true;
  return false;
}

// The folder of the current directory, or null when it does not exist (any more).
Node* currentFolder() {
  Path p;
  Node* folder = nullptr;
  if (resolve(fs->cwd.c_str(), p, From::kControl) || walk(p, p.parts.size(), folder))
    return nullptr;
  return folder;
}

// ---- Wildcards ----

std::u32string codePoints(const std::string& utf8) {
  std::u32string out;
  for (std::size_t i = 0; i < utf8.size(); ++i) {
    auto b = static_cast<unsigned char>(utf8[i]);
    if ((b & 0xC0) == 0x80 && !out.empty())
      out.back() = (out.back() << 6) | (b & 0x3F);  // the names are well-formed UTF-8
    else
      out += b < 0x80 ? b : b < 0xE0 ? b & 0x1F : b < 0xF0 ? b & 0x0F : b & 0x07;
  }
  return out;
}

// Whether `name` matches `mask`, letters compared without case: * matches any run of
// characters, ? exactly one, and once the name is used up, dots and stars left in the mask
// match its end. A ? right after a * matches nothing (see files.h).
bool matches(const std::string& nameText, const std::string& maskText) {
  // Character by character: ? takes a whole letter, not a byte of one.
  const std::u32string name = codePoints(nameText), mask = codePoints(maskText);
  auto upper = [](char32_t c) { return c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c; };
  constexpr std::size_t kNone = std::string::npos;
  std::size_t n = 0, m = 0;
  std::size_t afterStar = kNone, starName = 0;  // where to go on after the last star
  while (n < name.size()) {
    if (m < mask.size() && mask[m] == '*') {
      while (m < mask.size() && mask[m] == '*') ++m;
      if (m < mask.size() && mask[m] == '?') return false;
      afterStar = m;
      starName = n;
    } else if (m < mask.size() && (mask[m] == '?' || upper(mask[m]) == upper(name[n]))) {
      ++m;
      ++n;
    } else if (afterStar != kNone) {
      m = afterStar;  // the star takes one character more
      n = ++starName;
    } else {
      return false;
    }
  }
  while (m < mask.size() && (mask[m] == '.' || mask[m] == '*')) ++m;
  return m == mask.size();
}

struct Search {
  std::vector<WIN32_FIND_DATAA> entries;  // what the folder held when the search started
  std::size_t next = 0;
  bool leftOut = false;  // a match had no exact name in the code page
};

// Adds the entry for `name` to the search: by its name when the code page holds that exactly and
// it fits, else by its short name, else not at all (a look-alike could name another file).
void addEntry(Search& search, const std::string& name, const Node& node) {
  WIN32_FIND_DATAA d;
  std::memset(&d, 0, sizeof d);
  d.dwFileAttributes = node.attributes;
  d.nFileSizeLow = static_cast<DWORD>(node.content.size());
  std::string ansi;
  if (sim::detail::ansiOf(name, ansi) && ansi.size() < sizeof d.cFileName) {
    std::memcpy(d.cFileName, ansi.data(), ansi.size());
    std::memcpy(d.cAlternateFileName, node.shortName.data(), node.shortName.size());
  } else if (!node.shortName.empty()) {
    std::memcpy(d.cFileName, node.shortName.data(), node.shortName.size());
  } else {
    search.leftOut = true;
    return;
  }
  search.entries.push_back(d);
}

// GetCurrentDirectoryA's and GetTempPathA's buffer rules.
DWORD copyOut(const std::string& value, DWORD size, char* buffer) {
  DWORD needed = static_cast<DWORD>(value.size() + 1);
  if (!buffer || size < needed) return needed;
  std::memcpy(buffer, value.c_str(), needed);
  return needed - 1;
}

}  // namespace

std::string sim::detail::fullPath(const std::string& path, const std::string& directory) {
  Path p;
  std::string ansi;
  if (resolve(unicodeOf(path).c_str(), p, From::kControl, unicodeOf(directory))) return ansi;
  ansiOf(p.text(), ansi);
  return ansi;
}

// ---- The seam ----

HANDLE FindFirstFileA(const char* pattern, WIN32_FIND_DATAA* data) {
  if (DWORD fault = recordCall("FindFirstFileA", pattern, data)) return fail(fault, kInvalidHandle);
  Path p;
  if (DWORD e = resolve(pattern, p)) return fail(e, kInvalidHandle);
  // No mask: a drive root, or a pattern that ends in a separator.
  if (p.parts.empty() || p.trailing) return fail(kErrorFileNotFound, kInvalidHandle);
  Node* folder = nullptr;
  bool lastIsFile = false;
  if (DWORD e = walk(p, p.parts.size() - 1, folder, &lastIsFile))
    return fail(lastIsFile ? kErrorInvalidName : e, kInvalidHandle);
  const std::string& mask = p.parts.back();
  auto search = std::make_shared<Search>();
  if (folder->parent) {  // not a drive root
    if (matches(".", mask)) addEntry(*search, ".", *folder);
    if (matches("..", mask)) addEntry(*search, "..", *folder->parent);
  }
  for (const auto& child : folder->children)
    if (matches(child->name, mask) ||
        (!child->shortName.empty() && matches(child->shortName, mask)))
      addEntry(*search, child->name, *child);
  if (search->entries.empty())
    return fail(search->leftOut ? kErrorNoUnicodeTranslation : kErrorFileNotFound, kInvalidHandle);
  *data = search->entries[search->next++];
  return sim::detail::openHandle(kSearch, search, nullptr, pattern);
}

BOOL FindNextFileA(HANDLE handle, WIN32_FIND_DATAA* data) {
  if (DWORD fault = recordCall("FindNextFileA", handle, data)) return fail(fault, kFalse);
  auto s = sim::detail::handleData<Search>(handle, kSearch);
  if (!s) return fail(kErrorInvalidHandle, kFalse);
  if (s->next >= s->entries.size())
    return fail(s->leftOut ? kErrorNoUnicodeTranslation : kErrorNoMoreFiles, kFalse);
  *data = s->entries[s->next++];
  return kTrue;
}

BOOL FindClose(HANDLE handle) {
  if (DWORD fault = recordCall("FindClose", handle)) return fail(fault, kFalse);
  if (!sim::detail::closeHandle(handle, kSearch)) return fail(kErrorInvalidHandle, kFalse);
  return kTrue;
}

BOOL CopyFileA(const char* from, const char* to, BOOL failIfExists) {
  if (DWORD fault = recordCall("CopyFileA", from, to, failIfExists)) return fail(fault, kFalse);
  Target src;
  if (DWORD e = locate(from, src, true)) return fail(e, kFalse);
  if (src.node->folder) return fail(kErrorAccessDenied, kFalse);
  Target dst;
  if (DWORD e = locate(to, dst, false, From::kSeamAnyLength))
    return fail(e, kFalse);  // as Wine: no limit
  Node* copy = dst.node;
  if (copy) {
    if (failIfExists) return fail(kErrorFileExists, kFalse);
    if (copy == src.node) return fail(kErrorSharingViolation, kFalse);
    if (copy->folder) return fail(kErrorAccessDenied, kFalse);
  }
  if (dst.path.trailing) return fail(kErrorPathNotFound, kFalse);
  if (copy && (copy->attributes & kFileAttributeReadonly)) return fail(kErrorAccessDenied, kFalse);
  if (copy && (copy->attributes & ~src.node->attributes & kHiddenOrSystem))
    return fail(kErrorAccessDenied, kFalse);
  if (!copy) {
    if (DWORD e = creatable(dst.name)) return fail(e, kFalse);
    copy = add(dst.parent, dst.name, false);
  }
  copy->content = src.node->content;
  copy->attributes = src.node->attributes;
  return kTrue;
}

BOOL MoveFileA(const char* from, const char* to) {
  if (DWORD fault = recordCall("MoveFileA", from, to)) return fail(fault, kFalse);
  Target src;
  if (DWORD e = locate(from, src, true)) return fail(e, kFalse);
  if (!src.parent) return fail(kErrorAccessDenied, kFalse);
  Target dst;
  if (DWORD e = locate(to, dst, false, From::kSeamAnyLength))
    return fail(e, kFalse);  // as Wine: no limit
  // The same entry under another spelling: Wine succeeds and keeps the name.
  if (dst.node) return dst.node == src.node ? kTrue : fail(kErrorAlreadyExists, kFalse);
  if (src.node->folder) {
    if (within(dst.parent, src.node)) return fail(kErrorInvalidParameter, kFalse);
    if (upper(src.path.drive) != upper(dst.path.drive)) return fail(kErrorNotSameDevice, kFalse);
    Node* cwd = currentFolder();
    if (cwd && within(cwd, src.node)) return fail(kErrorSharingViolation, kFalse);
  }
  if (DWORD e = creatable(dst.name)) return fail(e, kFalse);
  std::unique_ptr<Node> node = detach(src.node);
  node->name = dst.name;
  node->parent = dst.parent;
  dst.parent->children.push_back(std::move(node));
  return kTrue;
}

BOOL DeleteFileA(const char* path) {
  if (DWORD fault = recordCall("DeleteFileA", path)) return fail(fault, kFalse);
  Target t;
  if (DWORD e = locate(path, t, true)) return fail(e, kFalse);
  if (t.node->folder || (t.node->attributes & kFileAttributeReadonly))
    return fail(kErrorAccessDenied, kFalse);
  detach(t.node);
  return kTrue;
}

BOOL CreateDirectoryA(const char* path, void* security) {
  if (DWORD fault = recordCall("CreateDirectoryA", path, security)) return fail(fault, kFalse);
  // The library passes no security attributes; refusing them catches a misuse.
  if (security) return fail(kErrorInvalidParameter, kFalse);
  Target t;
  if (DWORD e = locate(path, t, false)) return fail(e, kFalse);
  if (t.node) return fail(kErrorAlreadyExists, kFalse);
  if (DWORD e = creatable(t.name)) return fail(e, kFalse);
  add(t.parent, t.name, true);
  return kTrue;
}

BOOL RemoveDirectoryA(const char* path) {
  if (DWORD fault = recordCall("RemoveDirectoryA", path)) return fail(fault, kFalse);
  Target t;
  if (DWORD e = locate(path, t, true)) return fail(e, kFalse);
  if (!t.parent) return fail(kErrorAccessDenied, kFalse);
  if (!t.node->folder) return fail(kErrorDirectory, kFalse);
  if (!t.node->children.empty()) return fail(kErrorDirNotEmpty, kFalse);
  Node* cwd = currentFolder();
  if (cwd && within(cwd, t.node)) return fail(kErrorSharingViolation, kFalse);
  detach(t.node);
  return kTrue;
}

BOOL SetFileAttributesA(const char* path, DWORD attributes) {
  if (DWORD fault = recordCall("SetFileAttributesA", path, attributes)) return fail(fault, kFalse);
  Target t;
  if (DWORD e = locate(path, t, true)) return fail(e, kFalse);
  DWORD kept = attributes & kSettableAttributes;
  if (t.node->folder)
    t.node->attributes = kFileAttributeDirectory | kept;
  else
    t.node->attributes = kept ? kept : kFileAttributeNormal;
  return kTrue;
}

DWORD GetFileAttributesA(const char* path) {
  if (DWORD fault = recordCall("GetFileAttributesA", path))
    return fail(fault, kInvalidFileAttributes);
  Target t;
  if (DWORD e = locate(path, t, true)) return fail(e, kInvalidFileAttributes);
  return t.node->attributes;
}

DWORD GetCurrentDirectoryA(DWORD size, char* buffer) {
  if (DWORD fault = recordCall("GetCurrentDirectoryA", size, buffer)) return fail(fault, DWORD{0});
  // A directory of kMaxPath characters or more (set by a test) is told like any other.
  std::string ansi;
  sim::detail::ansiOf(fs->cwd, ansi);  // only a test can make one the code page lacks
  return copyOut(ansi, size, buffer);
}

BOOL SetCurrentDirectoryA(const char* path) {
  if (DWORD fault = recordCall("SetCurrentDirectoryA", path)) return fail(fault, kFalse);
  if (!path || !*path) return fail(kErrorInvalidName, kFalse);
  Target t;
  if (DWORD e = locate(path, t, true)) return fail(e, kFalse);
  if (!t.node->folder) return fail(kErrorDirectory, kFalse);
  t.path.trailing = false;
  std::string cwd = t.path.text();
  if (sim::detail::utf16Length(cwd) >= kMaxPath) return fail(kErrorFilenameExcedRange, kFalse);
  fs->cwd = cwd;
  return kTrue;
}

DWORD GetTempPathA(DWORD size, char* buffer) {
  if (DWORD fault = recordCall("GetTempPathA", size, buffer)) return fail(fault, DWORD{0});
  return copyOut("C:\\Temp\\", size, buffer);
}

// ---- The control interface ----

// ---- File identity ----

namespace {

constexpr const char* kFile = "file";

// What a handle from CreateFileA knows: the entry as it was when it was opened.
struct OpenFile {
  BY_HANDLE_FILE_INFORMATION info;
};

DWORD volumeSerial(const Node* node) {
  while (node->parent) node = node->parent;
  return node == fs->c.get() ? 0x3C5A0C01 : 0x3C5A0D01;
}

}  // namespace

HANDLE CreateFileA(const char* path, DWORD access, DWORD share, void* security, DWORD disposition,
                   DWORD flags, HANDLE templateFile) {
  if (DWORD fault = recordCall("CreateFileA", path, access, share, security, disposition, flags,
                               templateFile))
    return fail(fault, kInvalidHandle);
  if (access != 0 || security || disposition != kOpenExisting || templateFile)
    return fail(kErrorInvalidParameter, kInvalidHandle);
  Target t;
  if (DWORD e = locate(path, t, true)) return fail(e, kInvalidHandle);
  const Node* node = followJunction(t.node);
  if (node->folder && !(flags & kFileFlagBackupSemantics))
    return fail(kErrorAccessDenied, kInvalidHandle);
  auto open = std::make_shared<OpenFile>();
  std::memset(&open->info, 0, sizeof open->info);
  open->info.dwFileAttributes = node->attributes;
  open->info.dwVolumeSerialNumber = volumeSerial(node);
  open->info.nFileSizeLow = static_cast<DWORD>(node->content.size());
  open->info.nNumberOfLinks = 1;
  open->info.nFileIndexHigh = static_cast<DWORD>(node->index >> 32);
  open->info.nFileIndexLow = static_cast<DWORD>(node->index);
  return sim::detail::openHandle(kFile, open, nullptr, path);
}

BOOL GetFileInformationByHandle(HANDLE file, BY_HANDLE_FILE_INFORMATION* info) {
  if (DWORD fault = recordCall("GetFileInformationByHandle", file, info))
    return fail(fault, kFalse);
  auto open = sim::detail::handleData<OpenFile>(file, kFile);
  if (!open) return fail(kErrorInvalidHandle, kFalse);
  *info = open->info;
  return kTrue;
}

namespace sim {
namespace {

// The entry a control function names (any length), or null.
Node* lookup(const std::string& path) {
  Target t;
  if (locate(path.c_str(), t, false, From::kControl)) return nullptr;
  if (t.node && t.path.trailing && !t.node->folder) return nullptr;
  return t.node;
}

// The folder of `path` without its last `left` names, made with its parents as needed.
Node* makeFolders(const std::string& path, Path& p, std::size_t left) {
  if (resolve(path.c_str(), p, From::kControl) || p.parts.size() < left || (left && p.trailing))
    detail::fatal("cannot make \"" + path + "\"");
  Node* node = fs->root(p.drive);
  if (!node) detail::fatal(path + ": the simulation has no drive " + p.drive + ":");
  for (std::size_t i = 0; i + left < p.parts.size(); ++i) {
    const std::string& part = p.parts[i];
    if (invalidName(part) || creatable(part))
      detail::fatal(path + ": \"" + part + "\" is not a valid name");
    Node* next = followJunction(node->child(part));
    if (!next) next = add(node, part, true);
    if (!next->folder) detail::fatal(path + ": \"" + part + "\" is a file");
    node = next;
  }
  return node;
}

}  // namespace

void addFolder(const std::string& path) {
  Path p;
  makeFolders(path, p, 0);
}

void addFile(const std::string& path, const std::string& content, DWORD attributes) {
  Path p;
  Node* folder = makeFolders(path, p, 1);
  const std::string& name = p.parts.back();
  if (invalidName(name) || creatable(name)) detail::fatal(path + ": not a valid name");
  Node* node = folder->child(name);
  if (node && node->folder) detail::fatal(path + ": a folder of that name exists");
  if (!node) node = add(folder, name, false);
  node->content = content;
  node->attributes = attributes & ~kFileAttributeDirectory;
}

void addJunction(const std::string& path, const std::string& target) {
  Node* to = lookup(target);
  if (!to || !to->folder) detail::fatal(path + ": the junction's target is not a folder");
  Path p;
  Node* folder = makeFolders(path, p, 1);
  const std::string& name = p.parts.back();
  if (invalidName(name) || creatable(name) || folder->child(name))
    detail::fatal(path + ": cannot make a junction there");
  Node* junction = add(folder, name, true);
  junction->attributes = kFileAttributeDirectory | kFileAttributeReparsePoint;
  junction->junction = followJunction(to);
}

bool exists(const std::string& path) {
  return lookup(path) != nullptr;
}

bool isFolder(const std::string& path) {
  Node* node = lookup(path);
  return node && node->folder;
}

std::string fileContent(const std::string& path) {
  Node* node = lookup(path);
  return node && !node->folder ? node->content : std::string();
}

DWORD attributesOf(const std::string& path) {
  Node* node = lookup(path);
  return node ? node->attributes : kInvalidFileAttributes;
}

std::string currentDirectory() {
  std::string ansi;
  detail::ansiOf(fs->cwd, ansi);
  return ansi;
}

void setCurrentDirectoryPath(const std::string& path) {
  fs->cwd = path;
}

void setShortName(const std::string& path, const std::string& shortName) {
  Node* node = lookup(path);
  if (!node || !node->parent) detail::fatal(path + ": no such entry");
  std::size_t dot = shortName.find('.');
  bool valid =
      !shortName.empty() && shortName.size() <= 12 && dot != 0 &&
      (dot == std::string::npos ? shortName.size() <= 8 : dot <= 8 && shortName.size() - dot <= 4);
  for (char c : shortName)
    valid =
        valid && c > ' ' && c < 0x7F && !(c >= 'a' && c <= 'z') && !std::strchr("*?<>|\"\\/:", c);
  Node* other = node->parent->child(shortName);
  if (!valid || (other && other != node)) detail::fatal(shortName + ": not a free 8.3 name");
  node->shortName = shortName;
}

std::vector<std::string> folderNames(const std::string& path) {
  std::vector<std::string> names;
  Node* node = lookup(path);
  if (node && node->folder)
    for (const auto& child : node->children) names.push_back(child->name);
  return names;
}

}  // namespace sim
}  // namespace platform
