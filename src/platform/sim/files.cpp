// The simulated file system and current directory. It behaves as Windows does, and where Windows
// and Wine differ, as Wine does where the contract tests can see it (tests/contract lists the
// differences): drives C:\ and D:\, "\" and "/" as separators, names compared case-insensitively
// (ASCII letters) and stored with their case, "." and ".." entries in every folder but a drive
// root, entries in creation order, Wine's rules for full paths and wildcards, and the error
// codes that files.h promises.
#include <algorithm>
#include <cstring>
#include <map>
#include <memory>

#include "internal.h"
#include "../files.h"

namespace platform {
namespace {

using sim::detail::failed;
using sim::detail::hex;
using sim::detail::num;
using sim::detail::text;
using sim::detail::upper;

constexpr std::size_t kMaxComponent = 255;  // the longest name NTFS (and Linux) store
constexpr char kTempPath[] = "C:\\Temp\\";
constexpr DWORD kSettableAttributes = kFileAttributeReadonly | kFileAttributeHidden |
                                      kFileAttributeSystem | kFileAttributeArchive |
                                      0x100 /* TEMPORARY */ | 0x1000 /* OFFLINE */ |
                                      0x2000 /* NOT_CONTENT_INDEXED */;
// 2024-01-01 00:00:00 UTC as a FILETIME; every change advances the clock by one second.
constexpr std::uint64_t kEpoch = 133485408000000000ull;
constexpr std::uint64_t kTick = 10000000ull;

struct Node {
  std::string name;  // "" for a drive root
  bool folder = false;
  DWORD attributes = 0;
  std::string content;
  std::uint64_t created = 0;
  std::uint64_t written = 0;
  Node* parent = nullptr;
  std::vector<std::unique_ptr<Node>> children;  // creation order

  Node* child(const std::string& n) const {
    for (const auto& c : children)
      if (sim::detail::sameText(c->name, n)) return c.get();
    return nullptr;
  }
};

struct Search {
  std::vector<WIN32_FIND_DATAA> entries;  // a snapshot taken by FindFirstFileA
  std::size_t next = 0;
};

struct FileSystem {
  std::unique_ptr<Node> c;
  std::unique_ptr<Node> d;
  std::string cwd;
  std::map<HANDLE, Search> searches;
  std::uintptr_t nextHandle = 0;
  std::uint64_t clock = 0;

  FileSystem() { fresh(); }

  void fresh() {
    c = makeRoot();
    d = makeRoot();
    cwd = "C:\\";
    searches.clear();
    nextHandle = 0x10000;
    clock = 0;
  }

  static std::unique_ptr<Node> makeRoot() {
    auto root = std::make_unique<Node>();
    root->folder = true;
    root->attributes = kFileAttributeDirectory;
    return root;
  }

  Node* root(char drive) {
    switch (upper(drive)) {
      case 'C':
        return c.get();
      case 'D':
        return d.get();
      default:
        return nullptr;
    }
  }

  std::uint64_t tick() { return ++clock; }
};

// Never destroyed (see memory.cpp).
FileSystem& fs() {
  static FileSystem* f = new FileSystem;
  return *f;
}

void resetFiles() { fs().fresh(); }
[[maybe_unused]] const bool registered = (sim::registerReset(&resetFiles), true);

// ---- Paths ----

bool isLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

// Wine's collapse_path (ntdll): on a full path whose first `mark` characters are its root,
// removes "." and ".." components, repeated separators, one trailing dot of a middle component
// and the trailing dots and spaces of the whole path.
void collapse(std::string& text, std::size_t mark) {
  std::vector<char> buffer(text.begin(), text.end());
  buffer.push_back('\0');
  char* path = buffer.data();
  char* p;
  char* next;
  for (p = path; *p; p++)
    if (*p == '/') *p = '\\';
  next = path + std::max<std::size_t>(1, mark);
  for (p = next; *p; p++)
    if (*p != '\\' || next[-1] != '\\') *next++ = *p;
  *next = 0;
  p = path + mark;
  while (*p) {
    if (*p == '.') {
      switch (p[1]) {
        case '\\':  // .\ component
          next = p + 2;
          std::memmove(p, next, std::strlen(next) + 1);
          continue;
        case 0:  // final .
          if (p > path + mark) p--;
          *p = 0;
          continue;
        case '.':
          if (p[2] == '\\') {  // ..\ component
            next = p + 3;
            if (p > path + mark) {
              p--;
              while (p > path + mark && p[-1] != '\\') p--;
            }
            std::memmove(p, next, std::strlen(next) + 1);
            continue;
          } else if (!p[2]) {  // final ..
            if (p > path + mark) {
              p--;
              while (p > path + mark && p[-1] != '\\') p--;
              if (p > path + mark) p--;
            }
            *p = 0;
            continue;
          }
          break;
        default:
          break;
      }
    }
    while (*p && *p != '\\') p++;  // to the next component
    if (*p == '\\') {
      if (p > path + mark && p[-1] == '.')  // one trailing dot of a middle component
        std::memmove(p - 1, p, std::strlen(p) + 1);
      else
        p++;
    }
  }
  while (p > path + mark && (p[-1] == ' ' || p[-1] == '.')) p--;
  *p = 0;
  text = path;
}

struct Path {
  std::string full;                // "C:\dir\name", in the case written
  char drive = 0;                  // the drive letter as written
  std::vector<std::string> parts;  // the components below the root
  bool trailing = false;           // ends in a separator after a component
};

std::string join(std::string base, const std::string& rest) {
  if (base.empty() || base.back() != '\\') base += '\\';
  return base + rest;
}

// Makes a full path of `text` against the current directory. `limit`: the seam's 260-character
// rule for the text (the control interface has none).
DWORD resolve(const char* text, Path& out, bool limit = true) {
  if (!text || !*text) return kErrorPathNotFound;
  if (limit && std::strlen(text) > kMaxPath) return kErrorFilenameExcedRange;
  std::string s(text);
  std::replace(s.begin(), s.end(), '/', '\\');
  const std::string& cwd = fs().cwd;
  std::string full;
  if (s.size() >= 2 && s[0] == '\\' && s[1] == '\\') {
    return kErrorPathNotFound;  // UNC and device paths: the simulation has no network
  } else if (s.size() >= 2 && isLetter(s[0]) && s[1] == ':') {
    if (s.size() >= 3 && s[2] == '\\') {
      full = s;
    } else if (cwd.size() >= 2 && cwd[1] == ':' && upper(cwd[0]) == upper(s[0])) {
      full = join(cwd, s.substr(2));  // "C:name" on the current drive
    } else {
      full = join(s.substr(0, 2), s.substr(2));  // another drive: from its root
    }
  } else if (s[0] == '\\') {
    if (cwd.size() < 2 || cwd[1] != ':') return kErrorPathNotFound;
    full = cwd.substr(0, 2) + s;
  } else {
    full = join(cwd, s);
  }
  if (full.size() < 3 || !isLetter(full[0]) || full[1] != ':' || full[2] != '\\')
    return kErrorPathNotFound;
  collapse(full, 3);
  out.full = full;
  out.drive = full[0];
  out.parts.clear();
  out.trailing = full.size() > 3 && full.back() == '\\';
  std::size_t start = 3;
  while (start < full.size()) {
    std::size_t end = full.find('\\', start);
    if (end == std::string::npos) end = full.size();
    if (end > start) out.parts.push_back(full.substr(start, end - start));
    start = end + 1;
  }
  return 0;
}

// A name that Windows refuses where a plain name is wanted. "." and ".." can only be left after
// collapse() from odd components such as "...".
bool invalidName(const std::string& name) {
  for (char c : name) {
    if (c == '*' || c == '?' || c == '<' || c == '>' || c == '|' || c == '"' ||
        static_cast<unsigned char>(c) < 0x20)
      return true;
  }
  return name == "." || name == "..";
}

// The error for creating an entry of this (valid) name, or 0.
DWORD creatable(const std::string& name) {
  if (name.size() > kMaxComponent) return kErrorFileNotFound;  // as Wine on Linux
  if (name.find(':') != std::string::npos) return kErrorFileNotFound;  // a stream of a missing file
  return 0;
}

// Follows parts[0, count) as folders from the drive root. `lastIsFile` is set when the only
// problem is that parts[count - 1] is a file.
DWORD walk(const Path& p, std::size_t count, Node*& folder, bool* lastIsFile = nullptr) {
  Node* node = fs().root(p.drive);
  if (!node) return kErrorPathNotFound;
  for (std::size_t i = 0; i < count; ++i) {
    const std::string& part = p.parts[i];
    if (invalidName(part)) return kErrorInvalidName;
    Node* next = node->child(part);
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
  std::string name;        // the last component as written
  bool root = false;
};

// Resolves `text` down to its last component: 0, or the error of the path or of a folder on the
// way. A missing last component is no error here (node stays null).
DWORD locate(const char* text, Target& t, bool limit = true) {
  if (DWORD e = resolve(text, t.path, limit)) return e;
  if (t.path.parts.empty()) {
    t.root = true;
    t.node = fs().root(t.path.drive);
    return t.node ? 0 : kErrorPathNotFound;
  }
  if (DWORD e = walk(t.path, t.path.parts.size() - 1, t.parent)) return e;
  t.name = t.path.parts.back();
  if (invalidName(t.name)) return kErrorInvalidName;
  t.node = t.parent->child(t.name);
  return 0;
}

// As locate(), and the entry must exist: a file named with a closing separator does not.
DWORD locateExisting(const char* text, Target& t) {
  if (DWORD e = locate(text, t)) return e;
  if (!t.node) return kErrorFileNotFound;
  if (t.path.trailing && !t.node->folder) return kErrorPathNotFound;
  return 0;
}

Node* add(Node* parent, const std::string& name, bool folder) {
  auto node = std::make_unique<Node>();
  node->name = name;
  node->folder = folder;
  node->attributes = folder ? kFileAttributeDirectory : kFileAttributeArchive;
  node->created = node->written = fs().tick();
  node->parent = parent;
  Node* raw = node.get();
  parent->children.push_back(std::move(node));
  return raw;
}

std::unique_ptr<Node> detach(Node* node) {
  auto& siblings = node->parent->children;
  auto it = std::find_if(siblings.begin(), siblings.end(),
                         [&](const std::unique_ptr<Node>& c) { return c.get() == node; });
  std::unique_ptr<Node> owned = std::move(*it);
  siblings.erase(it);
  owned->parent = nullptr;
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
  if (resolve(fs().cwd.c_str(), p, false)) return nullptr;
  Node* folder = nullptr;
  if (walk(p, p.parts.size(), folder)) return nullptr;
  return folder;
}

// ---- Wildcards ----

// Wine's match_filename (ntdll), case-insensitive: * any run, ? one character, and trailing dots
// and stars of the mask match the end of the name.
bool matches(const std::string& name, const std::string& mask) {
  const char* n = name.data();
  const char* nameEnd = n + name.size();
  const char* m = mask.data();
  const char* maskEnd = m + mask.size();
  const char* lastJoker = nullptr;
  const char* nextToRetry = nullptr;
  while (n < nameEnd && m < maskEnd) {
    switch (*m) {
      case '*':
        m++;
        while (m < maskEnd && *m == '*') m++;
        if (m == maskEnd) return true;
        lastJoker = m;
        while (n < nameEnd && upper(*n) != upper(*m)) n++;
        nextToRetry = n;
        break;
      case '?':
        m++;
        n++;
        break;
      default:
        if (upper(*m) == upper(*n)) {
          m++;
          n++;
          if (m == maskEnd) {
            if (n == nameEnd) return true;
            if (lastJoker) m = lastJoker;
          }
        } else if (lastJoker) {
          m = lastJoker;
          nextToRetry++;
          n = nextToRetry;
        } else {
          return false;
        }
        break;
    }
  }
  while (m < maskEnd && (*m == '.' || *m == '*')) m++;
  return n == nameEnd && m == maskEnd;
}

FILETIME fileTime(std::uint64_t stamp) {
  std::uint64_t t = kEpoch + stamp * kTick;
  return FILETIME{static_cast<DWORD>(t), static_cast<DWORD>(t >> 32)};
}

WIN32_FIND_DATAA findData(const std::string& name, const Node& node) {
  WIN32_FIND_DATAA d;
  std::memset(&d, 0, sizeof d);
  d.dwFileAttributes = node.attributes;
  d.ftCreationTime = fileTime(node.created);
  d.ftLastAccessTime = fileTime(node.written);
  d.ftLastWriteTime = fileTime(node.written);
  std::uint64_t size = node.folder ? 0 : node.content.size();
  d.nFileSizeHigh = static_cast<DWORD>(size >> 32);
  d.nFileSizeLow = static_cast<DWORD>(size);
  std::size_t n = std::min<std::size_t>(name.size(), sizeof d.cFileName - 1);
  std::memcpy(d.cFileName, name.data(), n);
  return d;
}

// Fails the running operation: sets the last error and gives `result`.
template <typename T>
T fail(DWORD error, T result) {
  sim::detail::setLastError(error);
  return result;
}

// GetCurrentDirectoryA's and GetTempPathA's buffer rules.
DWORD copyOut(const std::string& value, DWORD size, char* buffer) {
  DWORD needed = static_cast<DWORD>(value.size() + 1);
  if (!buffer || size < needed) return needed;
  std::memcpy(buffer, value.c_str(), needed);
  return needed - 1;
}

}  // namespace

// ---- The seam ----

HANDLE FindFirstFileA(const char* pattern, WIN32_FIND_DATAA* data) {
  if (failed(sim::enter("FindFirstFileA", {text(pattern), hex(data)}))) return kInvalidHandle;
  Path p;
  if (DWORD e = resolve(pattern, p)) return fail(e, kInvalidHandle);
  // No mask: a drive root, or a pattern that ends in a separator.
  if (p.parts.empty() || p.trailing) return fail(kErrorFileNotFound, kInvalidHandle);
  Node* folder = nullptr;
  bool lastIsFile = false;
  if (DWORD e = walk(p, p.parts.size() - 1, folder, &lastIsFile))
    return fail(lastIsFile ? kErrorInvalidName : e, kInvalidHandle);
  const std::string& mask = p.parts.back();
  Search search;
  if (folder->parent) {  // not a drive root
    if (matches(".", mask)) search.entries.push_back(findData(".", *folder));
    if (matches("..", mask)) search.entries.push_back(findData("..", *folder->parent));
  }
  for (const auto& child : folder->children)
    if (matches(child->name, mask)) search.entries.push_back(findData(child->name, *child));
  if (search.entries.empty()) return fail(kErrorFileNotFound, kInvalidHandle);
  *data = search.entries[0];
  search.next = 1;
  FileSystem& f = fs();
  HANDLE handle = reinterpret_cast<HANDLE>(f.nextHandle);
  f.nextHandle += 4;
  f.searches.emplace(handle, std::move(search));
  return handle;
}

BOOL FindNextFileA(HANDLE handle, WIN32_FIND_DATAA* data) {
  if (failed(sim::enter("FindNextFileA", {hex(handle), hex(data)}))) return kFalse;
  auto& searches = fs().searches;
  auto it = searches.find(handle);
  if (it == searches.end()) return fail(kErrorInvalidHandle, kFalse);
  Search& s = it->second;
  if (s.next >= s.entries.size()) return fail(kErrorNoMoreFiles, kFalse);
  *data = s.entries[s.next++];
  return kTrue;
}

BOOL FindClose(HANDLE handle) {
  if (failed(sim::enter("FindClose", {hex(handle)}))) return kFalse;
  if (fs().searches.erase(handle) == 0) return fail(kErrorInvalidHandle, kFalse);
  return kTrue;
}

BOOL CopyFileA(const char* from, const char* to, BOOL failIfExists) {
  if (failed(sim::enter("CopyFileA", {text(from), text(to), num(failIfExists)}))) return kFalse;
  Target src;
  if (DWORD e = locateExisting(from, src)) return fail(e, kFalse);
  if (src.node->folder) return fail(kErrorAccessDenied, kFalse);
  Target dst;
  if (DWORD e = locate(to, dst, false)) return fail(e, kFalse);  // Wine: no limit on `to`
  if (dst.node) {
    if (failIfExists) return fail(kErrorFileExists, kFalse);
    if (dst.node == src.node) return fail(kErrorSharingViolation, kFalse);
    if (dst.node->folder) return fail(kErrorAccessDenied, kFalse);
    if (dst.path.trailing) return fail(kErrorPathNotFound, kFalse);
    if (dst.node->attributes & kFileAttributeReadonly) return fail(kErrorAccessDenied, kFalse);
    dst.node->content = src.node->content;
    dst.node->attributes = src.node->attributes;
    dst.node->written = fs().tick();
    return kTrue;
  }
  if (dst.path.trailing) return fail(kErrorPathNotFound, kFalse);
  if (DWORD e = creatable(dst.name)) return fail(e, kFalse);
  Node* copy = add(dst.parent, dst.name, false);
  copy->content = src.node->content;
  copy->attributes = src.node->attributes;
  return kTrue;
}

BOOL MoveFileA(const char* from, const char* to) {
  if (failed(sim::enter("MoveFileA", {text(from), text(to)}))) return kFalse;
  Target src;
  if (DWORD e = locateExisting(from, src)) return fail(e, kFalse);
  if (src.root) return fail(kErrorAccessDenied, kFalse);
  Target dst;
  if (DWORD e = locate(to, dst, false)) return fail(e, kFalse);  // Wine: no limit on `to`
  if (dst.node) {
    if (dst.node != src.node) return fail(kErrorAlreadyExists, kFalse);
    return kTrue;  // the same entry: Wine succeeds and keeps the name (Windows takes the new case)
  }
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
  if (failed(sim::enter("DeleteFileA", {text(path)}))) return kFalse;
  Target t;
  if (DWORD e = locateExisting(path, t)) return fail(e, kFalse);
  if (t.node->folder) return fail(kErrorAccessDenied, kFalse);
  if (t.node->attributes & kFileAttributeReadonly) return fail(kErrorAccessDenied, kFalse);
  detach(t.node);
  return kTrue;
}

BOOL CreateDirectoryA(const char* path, void* security) {
  if (failed(sim::enter("CreateDirectoryA", {text(path), hex(security)}))) return kFalse;
  // The seam passes no security attributes; the simulation refuses them to catch misuse.
  if (security) return fail(kErrorInvalidParameter, kFalse);
  Target t;
  if (DWORD e = locate(path, t)) return fail(e, kFalse);
  if (t.node) return fail(kErrorAlreadyExists, kFalse);
  if (DWORD e = creatable(t.name)) return fail(e, kFalse);
  add(t.parent, t.name, true);
  return kTrue;
}

BOOL RemoveDirectoryA(const char* path) {
  if (failed(sim::enter("RemoveDirectoryA", {text(path)}))) return kFalse;
  Target t;
  if (DWORD e = locateExisting(path, t)) return fail(e, kFalse);
  if (t.root) return fail(kErrorAccessDenied, kFalse);
  if (!t.node->folder) return fail(kErrorDirectory, kFalse);
  if (!t.node->children.empty()) return fail(kErrorDirNotEmpty, kFalse);
  Node* cwd = currentFolder();
  if (cwd && within(cwd, t.node)) return fail(kErrorSharingViolation, kFalse);
  detach(t.node);
  return kTrue;
}

BOOL SetFileAttributesA(const char* path, DWORD attributes) {
  if (failed(sim::enter("SetFileAttributesA", {text(path), num(attributes)}))) return kFalse;
  Target t;
  if (DWORD e = locateExisting(path, t)) return fail(e, kFalse);
  DWORD kept = attributes & kSettableAttributes;
  if (t.node->folder)
    t.node->attributes = kFileAttributeDirectory | kept;
  else
    t.node->attributes = kept ? kept : kFileAttributeNormal;
  return kTrue;
}

DWORD GetFileAttributesA(const char* path) {
  if (failed(sim::enter("GetFileAttributesA", {text(path)}))) return kInvalidFileAttributes;
  Target t;
  if (DWORD e = locateExisting(path, t)) return fail(e, kInvalidFileAttributes);
  return t.node->attributes;
}

DWORD GetCurrentDirectoryA(DWORD size, char* buffer) {
  if (failed(sim::enter("GetCurrentDirectoryA", {num(size), hex(buffer)}))) return 0;
  const std::string& cwd = fs().cwd;
  // A directory longer than kMaxPath (reachable in a long-path process, or set by a test) is
  // reported like any other: the size needed when it does not fit.
  return copyOut(cwd, size, buffer);
}

BOOL SetCurrentDirectoryA(const char* path) {
  if (failed(sim::enter("SetCurrentDirectoryA", {text(path)}))) return kFalse;
  if (!path || !*path) return fail(kErrorInvalidName, kFalse);
  Target t;
  if (DWORD e = locateExisting(path, t)) return fail(e, kFalse);
  if (!t.node->folder) return fail(kErrorDirectory, kFalse);
  std::string cwd = t.path.full;
  if (!t.root && cwd.back() == '\\') cwd.pop_back();
  if (cwd.size() >= kMaxPath) return fail(kErrorFilenameExcedRange, kFalse);
  fs().cwd = cwd;
  return kTrue;
}

DWORD GetTempPathA(DWORD size, char* buffer) {
  if (failed(sim::enter("GetTempPathA", {num(size), hex(buffer)}))) return 0;
  return copyOut(kTempPath, size, buffer);
}

// ---- The control interface ----

namespace sim {
namespace {

// The entry a control function names (any length), or null.
Node* lookup(const std::string& path) {
  Target t;
  if (locate(path.c_str(), t, false)) return nullptr;
  if (t.node && t.path.trailing && !t.node->folder) return nullptr;
  return t.node;
}

// The folder for `path`, made with its parents as needed.
Node* makeFolders(const Path& p, std::size_t count, const std::string& what) {
  Node* node = fs().root(p.drive);
  if (!node) detail::fatal(what + ": no drive " + std::string(1, p.drive) + ": in the simulation");
  for (std::size_t i = 0; i < count; ++i) {
    const std::string& part = p.parts[i];
    if (invalidName(part) || creatable(part))
      detail::fatal(what + ": \"" + part + "\" is not a valid name");
    Node* next = node->child(part);
    if (!next) {
      next = add(node, part, true);
    } else if (!next->folder) {
      detail::fatal(what + ": \"" + part + "\" is a file");
    }
    node = next;
  }
  return node;
}

Path resolveForControl(const std::string& path, const std::string& what) {
  Path p;
  if (resolve(path.c_str(), p, false)) detail::fatal(what + ": cannot resolve \"" + path + "\"");
  return p;
}

}  // namespace

void addFolder(const std::string& path) {
  Path p = resolveForControl(path, "addFolder");
  makeFolders(p, p.parts.size(), "addFolder(" + path + ")");
}

void addFile(const std::string& path, const std::string& content, DWORD attributes) {
  std::string what = "addFile(" + path + ")";
  Path p = resolveForControl(path, what);
  if (p.parts.empty() || p.trailing) detail::fatal(what + ": not a file name");
  Node* folder = makeFolders(p, p.parts.size() - 1, what);
  const std::string& name = p.parts.back();
  if (invalidName(name) || creatable(name)) detail::fatal(what + ": not a valid name");
  Node* node = folder->child(name);
  if (node && node->folder) detail::fatal(what + ": a folder of that name exists");
  if (!node) node = add(folder, name, false);
  node->content = content;
  node->attributes = attributes & ~kFileAttributeDirectory;
  node->written = fs().tick();
}

bool exists(const std::string& path) { return lookup(path) != nullptr; }

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

std::string currentDirectory() { return fs().cwd; }

void setCurrentDirectoryPath(const std::string& path) { fs().cwd = path; }

std::vector<std::string> folderNames(const std::string& path) {
  std::vector<std::string> names;
  Node* node = lookup(path);
  if (node && node->folder)
    for (const auto& child : node->children) names.push_back(child->name);
  return names;
}

int openSearches() { return static_cast<int>(fs().searches.size()); }

}  // namespace sim
}  // namespace platform
