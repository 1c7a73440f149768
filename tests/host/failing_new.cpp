// The replaceable allocation functions of this test program, over malloc and free. The array
// forms stay the sanitizer's: the host allocates no arrays with new.
#include "failing_new.h"

#include <cstdlib>
#include <new>

namespace {
long countdown = 0;  // 0: not armed
bool fired = false;
bool (*counted)() = nullptr;
}  // namespace

namespace failing_new {

void failNth(long n, bool (*counts)()) {
  counted = counts;
  countdown = n;
  fired = false;
}

bool disarm() {
  countdown = 0;
  return fired;
}

}  // namespace failing_new

void* operator new(std::size_t bytes) {
  if (countdown > 0 && (!counted || counted()) && --countdown == 0) {
    fired = true;
    throw std::bad_alloc();
  }
  if (void* p = std::malloc(bytes ? bytes : 1)) return p;
  throw std::bad_alloc();
}

void* operator new(std::size_t bytes, const std::nothrow_t&) noexcept {
  try {
    return ::operator new(bytes);
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}

void operator delete(void* p) noexcept {
  std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
  std::free(p);
}
void operator delete(void* p, const std::nothrow_t&) noexcept {
  std::free(p);
}
