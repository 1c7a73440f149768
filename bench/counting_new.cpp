// The host's own memory, as this program's operator new hands it out: the live bytes are
// counted, so that a benchmark can tell whether the host grows. Each block carries its size in
// a header of its own, which costs less than asking the heap.
#include <cstdlib>
#include <new>

#include "counting_new.h"

namespace {
std::size_t liveBytes = 0;
constexpr std::size_t kHeader = 16;  // keeps the alignment that operator new promises
}  // namespace

std::size_t hostBytesInUse() {
  return liveBytes;
}

void* operator new(std::size_t bytes, const std::nothrow_t&) noexcept {
  auto* block = static_cast<char*>(std::malloc(bytes + kHeader));
  if (!block) return nullptr;
  *reinterpret_cast<std::size_t*>(block) = bytes;
  liveBytes += bytes;
  return block + kHeader;
}
void* operator new(std::size_t bytes) {
  if (void* p = ::operator new(bytes, std::nothrow)) return p;
  throw std::bad_alloc();
}
void* operator new[](std::size_t bytes) {
  return ::operator new(bytes);
}
void* operator new[](std::size_t bytes, const std::nothrow_t& tag) noexcept {
  return ::operator new(bytes, tag);
}
void operator delete(void* p) noexcept {
  if (!p) return;
  char* block = static_cast<char*>(p) - kHeader;
  liveBytes -= *reinterpret_cast<std::size_t*>(block);
  std::free(block);
}
void operator delete[](void* p) noexcept {
  ::operator delete(p);
}
void operator delete(void* p, std::size_t) noexcept {
  ::operator delete(p);
}
void operator delete[](void* p, std::size_t) noexcept {
  ::operator delete(p);
}
void operator delete(void* p, const std::nothrow_t&) noexcept {
  ::operator delete(p);
}
void operator delete[](void* p, const std::nothrow_t&) noexcept {
  ::operator delete(p);
}
