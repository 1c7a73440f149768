#include "full_path.h"

#include <cstring>

namespace zorvel {
namespace {

bool isSeparator(char c) {
  return c == '\\' || c == '/';
}
bool isLetter(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
char upper(char c) {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

// The absolute path as it grows: a root ("C:" or "\\server\share") and then "\name" for each
// component.
class PathBuilder {
 public:
  PathBuilder(char* out, std::size_t capacity) : out_(out), capacity_(capacity) {}

  bool ok() const { return ok_ && length_ > 0; }
  void finish() {
    if (ok_) out_[length_] = 0;
  }

  void put(const char* text, std::size_t length) {
    if (!ok_ || length >= capacity_ - length_) {
      ok_ = false;
      return;
    }
    std::memcpy(out_ + length_, text, length);
    length_ += length;
  }
  void markRoot() { rootLength_ = length_; }

  // Adds the components of `text`, separated by "\" or "/".
  void components(const char* text) {
    while (*text) {
      while (isSeparator(*text)) ++text;
      std::size_t n = 0;
      while (text[n] && !isSeparator(text[n])) ++n;
      component(text, n);
      text += n;
    }
  }

 private:
  void component(const char* name, std::size_t n) {
    if (n == 0 || (n == 1 && name[0] == '.')) return;
    if (n == 2 && name[0] == '.' && name[1] == '.') {
      while (length_ > rootLength_ && out_[length_ - 1] != '\\') --length_;
      if (length_ > rootLength_) --length_;
      return;
    }
    // Windows drops trailing dots and blanks from a name: "a." and "a" are one place.
    while (n > 0 && (name[n - 1] == '.' || name[n - 1] == ' ')) --n;
    if (n == 0) return;
    put("\\", 1);
    put(name, n);
  }

  char* out_;
  std::size_t capacity_;
  std::size_t length_ = 0;
  std::size_t rootLength_ = 0;
  bool ok_ = true;
};

// Puts the root of an absolute path (a drive, or the server and share of a UNC path) and
// returns the rest; null when `path` is not absolute.
const char* putRoot(const char* path, PathBuilder& out) {
  if (isLetter(path[0]) && path[1] == ':' && (isSeparator(path[2]) || path[2] == 0)) {
    char drive[2] = {upper(path[0]), ':'};
    out.put(drive, 2);
    out.markRoot();
    return path + 2;
  }
  if (isSeparator(path[0]) && isSeparator(path[1])) {
    const char* p = path + 2;
    out.put("\\\\", 2);
    for (int part = 0; part < 2; ++part) {
      std::size_t n = 0;
      while (p[n] && !isSeparator(p[n])) ++n;
      if (part) out.put("\\", 1);
      out.put(p, n);
      p += n;
      while (isSeparator(*p)) ++p;
    }
    out.markRoot();
    return p;
  }
  return nullptr;
}

}  // namespace

bool fullPath(const char* path, const char* currentDirectory, char* out, std::size_t capacity) {
  if (!path || !*path || !out || capacity == 0) return false;
  const char* current = currentDirectory ? currentDirectory : "";
  PathBuilder builder(out, capacity);
  if (const char* rest = putRoot(path, builder)) {
    builder.components(rest);
  } else if (isLetter(path[0]) && path[1] == ':') {
    // Drive-relative ("D:name"): against the current directory when it is on that drive.
    const char* currentRest =
        upper(current[0]) == upper(path[0]) ? putRoot(current, builder) : nullptr;
    if (currentRest) {
      builder.components(currentRest);
    } else {
      char drive[2] = {upper(path[0]), ':'};
      builder.put(drive, 2);
      builder.markRoot();
    }
    builder.components(path + 2);
  } else {
    const char* currentRest = putRoot(current, builder);
    if (!currentRest) return false;
    // A rooted path ("\name") keeps only the current directory's root.
    if (!isSeparator(path[0])) builder.components(currentRest);
    builder.components(path);
  }
  builder.finish();
  return builder.ok();
}

bool samePathText(const char* a, const char* b) {
  for (;; ++a, ++b) {
    if (upper(*a) != upper(*b)) return false;
    if (!*a) return true;
  }
}

}  // namespace zorvel
