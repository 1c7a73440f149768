// Allocation failure on demand: this test program's operator new throws std::bad_alloc at the
// nth allocation after failNth(n), once; every other allocation goes to malloc as usual.
#pragma once

namespace failing_new {

// Only allocations for which `counts` is true (or all, without it) are counted.
void failNth(long n, bool (*counts)() = nullptr);
// Stops counting; whether the failure came.
bool disarm();

}  // namespace failing_new
