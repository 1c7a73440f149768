#include "text.h"

#include <cstring>

#include "platform/memory.h"

namespace zorvel {
namespace {

void* gTextHeap = nullptr;

// Each copy sits behind a word that holds its capacity, so a variable's buffer can be reused.
struct TextBlock {
  std::size_t capacity;  // bytes for characters and the NUL
  char text[1];
};
constexpr std::size_t kHeader = offsetof(TextBlock, text);

TextBlock* blockOf(char* text) {
  return reinterpret_cast<TextBlock*>(text - kHeader);
}

// Marks a buffer that lies inside a block of someone else's (embedText): it is never freed or
// reallocated here.
constexpr std::size_t kEmbedded = std::size_t{1} << (sizeof(std::size_t) * 8 - 1);

// Makes *variable able to hold `length` characters and a NUL, keeping its current characters.
// Returns false, leaving the variable as it was, when memory cannot be had.
bool reserveText(char** variable, std::size_t length) {
  if (length > static_cast<std::size_t>(-1) / 4) return false;
  std::size_t need = length + 1;
  if (*variable) {
    TextBlock* block = blockOf(*variable);
    std::size_t held = block->capacity & ~kEmbedded;
    if (held >= need) return true;
    std::size_t capacity = need < 2 * held ? 2 * held : need;
    if (capacity & kEmbedded) capacity = need;  // doubling must not reach the mark
    void* grown = nullptr;
    if (block->capacity & kEmbedded) {
      // Moves out to a buffer of its own; the embedded one stays with its block.
      grown = platform::HeapAlloc(gTextHeap, 0, kHeader + capacity);
      if (grown) std::memcpy(static_cast<TextBlock*>(grown)->text, block->text, held);
    } else {
      grown = platform::HeapReAlloc(gTextHeap, 0, block, kHeader + capacity);
    }
    if (!grown) return false;
    block = static_cast<TextBlock*>(grown);
    block->capacity = capacity;
    *variable = block->text;
    return true;
  }
  void* fresh = platform::HeapAlloc(gTextHeap, 0, kHeader + need);
  if (!fresh) return false;
  TextBlock* block = static_cast<TextBlock*>(fresh);
  block->capacity = need;
  block->text[0] = 0;
  *variable = block->text;
  return true;
}

bool storeText(char** variable, const char* text, std::size_t length) {
  if (!reserveText(variable, length)) return false;
  std::memmove(*variable, text, length);
  (*variable)[length] = 0;
  return true;
}

}  // namespace

void startTextService() {
  gTextHeap = platform::HeapCreate(platform::kHeapNoSerialize, 4096, 0);
}

void stopTextService() {
  if (gTextHeap) platform::HeapDestroy(gTextHeap);
  gTextHeap = nullptr;
}

void* textHeap() {
  return gTextHeap;
}

int ZV_STDCALL assignText(const char* text, char** variable) {
  if (!variable) return 0;
  if (!text) text = "";
  storeText(variable, text, std::strlen(text));
  return 0;
}

void releaseText(char** variable) {
  if (*variable && !(blockOf(*variable)->capacity & kEmbedded)) {
    platform::HeapFree(gTextHeap, 0, blockOf(*variable));
  }
  *variable = nullptr;
}

std::size_t embeddedTextBytes(std::size_t length) {
  return length > static_cast<std::size_t>(-1) / 4 ? 0 : kHeader + length + 1;
}

void embedText(char** variable, void* storage, const char* text, std::size_t length) {
  auto* block = static_cast<TextBlock*>(storage);
  block->capacity = (length + 1) | kEmbedded;
  std::memcpy(block->text, text, length);
  block->text[length] = 0;
  *variable = block->text;
}

std::size_t textLength(const char* text) {
  return text ? std::strlen(text) : 0;
}

bool sameText(const char* a, const char* b) {
  return std::strcmp(a ? a : "", b ? b : "") == 0;
}

std::size_t TextVar::size() const {
  return textLength(text_);
}

char TextVar::last() const {
  std::size_t n = size();
  return n ? text_[n - 1] : 0;
}

TextVar& TextVar::assign(const char* text) {
  return assign(text, textLength(text));
}

TextVar& TextVar::assign(const char* text, std::size_t length) {
  storeText(&text_, text ? text : "", text ? length : 0);
  return *this;
}

TextVar& TextVar::append(const char* text) {
  return append(text, textLength(text));
}

TextVar& TextVar::append(const char* text, std::size_t length) {
  if (!text) length = 0;
  std::size_t old = size();
  if (old + length < old) return *this;
  // The source may lie inside this very buffer; keep its offset across a move.
  std::ptrdiff_t inside = -1;
  if (text_ && text >= text_ && text <= text_ + old) inside = text - text_;
  if (!reserveText(&text_, old + length)) return *this;
  const char* from = inside >= 0 ? text_ + inside : text;
  if (length) std::memmove(text_ + old, from, length);
  text_[old + length] = 0;
  return *this;
}

char* TextVar::prepare(std::size_t length) {
  return reserveText(&text_, length) ? text_ : nullptr;
}

void TextVar::truncate(std::size_t length) {
  if (text_ && length < size()) text_[length] = 0;
}

void decimalText(std::int64_t n, TextVar& out) {
  char digits[24];
  char* end = digits + sizeof digits;
  char* p = end;
  // Work in unsigned arithmetic so the most negative value needs no special case.
  std::uint64_t magnitude =
      n < 0 ? 0 - static_cast<std::uint64_t>(n) : static_cast<std::uint64_t>(n);
  do {
    *--p = static_cast<char>('0' + magnitude % 10);
    magnitude /= 10;
  } while (magnitude);
  if (n < 0) *--p = '-';
  out.assign(p, static_cast<std::size_t>(end - p));
}

void rightAlign(const char* text, std::int32_t width, TextVar& out) {
  std::size_t field = width < 0 ? 0 : static_cast<std::size_t>(width);
  std::size_t length = textLength(text);
  if (length >= field) {
    out.assign(text, field);
    return;
  }
  // Built aside: the text may lie in `out` itself.
  TextVar padded;
  padded.assign("", 0);
  for (std::size_t i = length; i < field; ++i) padded.append(' ');
  padded.append(text, length);
  if (padded.size() == field) out.assign(padded.c_str(), field);
}

}  // namespace zorvel
