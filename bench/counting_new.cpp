// The host's own memory, as this program's operator new hands it out: the live bytes are
// counted, so that a benchmark can tell whether the host grows.
#include <malloc.h>

#include <cstdlib>
#include <new>

#include "counting_new.h"

namespace {
std::size_t liveBytes = 0;
}

std::size_t hostBytesInUse() {
  return liveBytes;
}

void* operator new(std::size_t bytes) {
  void* p = std::malloc(bytes ? bytes : 1);
  if (!p) throw std::bad_alloc();
  liveBytes += _msize(p);
  return p;
}
void* operator new[](std::size_t bytes) {
  return ::operator new(bytes);
}
void* operator new(std::size_t bytes, const std::nothrow_t&) noexcept {
  void* p = std::malloc(bytes ? bytes : 1);
  if (p) liveBytes += _msize(p);
  return p;
}
void* operator new[](std::size_t bytes, const std::nothrow_t& tag) noexcept {
  return ::operator new(bytes, tag);
}
void operator delete(void* p) noexcept {
  if (!p) return;
  liveBytes -= _msize(p);
  std::free(p);
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
