// The text service: the library's texts live in a heap of their own. A text variable is a cell
// holding 0 (never assigned) or the address of a library-owned, NUL-terminated copy.
#pragma once

#include <cstddef>
#include <cstdint>

#include "abi.h"

namespace zorvel {

void startTextService();
void stopTextService();
void* textHeap();

// Stores a library-owned copy of `text` in *variable, reusing the old buffer; a null text
// stores the empty text. Returns 0. The host writes texts into the library only through it.
int ZV_STDCALL assignText(const char* text, char** variable);
// Frees the variable's copy and sets it to 0.
void releaseText(char** variable);

// A text variable's first buffer may lie inside a block of the caller's, so that an object and
// its text take one allocation. embeddedTextBytes(length) is the room that buffer needs (0 for a
// length no buffer can hold); embedText copies text[0, length) and a NUL into `storage` (that
// many bytes, aligned as a pointer) and points *variable at it. The variable then behaves as any
// other: a longer text moves it to a buffer of its own, and releaseText frees only that one. The
// caller frees its block after releasing the variable.
std::size_t embeddedTextBytes(std::size_t length);
void embedText(char** variable, void* storage, const char* text, std::size_t length);

// A routine's text variable: released when it goes out of scope, on every path. Copies that
// cannot be allocated leave the variable as it was.
class TextVar {
 public:
  TextVar() = default;
  explicit TextVar(const char* text) { assign(text); }
  TextVar(const TextVar&) = delete;
  TextVar& operator=(const TextVar&) = delete;
  ~TextVar() { releaseText(&text_); }

  char** cell() { return &text_; }
  bool present() const { return text_ != nullptr; }
  // The text, or "" when the variable holds none.
  const char* c_str() const { return text_ ? text_ : ""; }
  std::size_t size() const;
  bool empty() const { return size() == 0; }
  char last() const;  // the last character, or 0 for an empty text

  TextVar& assign(const char* text);
  TextVar& assign(const char* text, std::size_t length);
  TextVar& append(const char* text);
  TextVar& append(const char* text, std::size_t length);
  TextVar& append(char c) { return append(&c, 1); }
  TextVar& append(const TextVar& other) { return append(other.c_str(), other.size()); }
  // Room for `length` characters and a NUL, the current text kept: the buffer to write them
  // into, or null when memory ran out (the text is then as it was).
  char* prepare(std::size_t length);
  // Keeps the first `length` characters (no change when the text is shorter).
  void truncate(std::size_t length);
  void clear() { releaseText(&text_); }

 private:
  char* text_ = nullptr;
};

// Byte-for-byte comparison; a null text compares as "".
bool sameText(const char* a, const char* b);
std::size_t textLength(const char* text);

// The decimal digits of n: "-" for a negative value, no plus sign, "0" for zero.
void decimalText(std::int64_t n, TextVar& out);
// The text right-aligned in a field of `width` characters (a negative width counts as 0):
// spaces in front, or only the first `width` characters of a longer text.
void rightAlign(const char* text, std::int32_t width, TextVar& out);

}  // namespace zorvel
