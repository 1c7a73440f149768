// The fuzz target of the library's catalogue: one input drives routines of the three function
// tables through the host runtime over the simulated machine, with faults injected and the
// host's questions answered from the input. It aborts, naming the broken invariant, when a call
// leaks library memory or a handle, hands the platform a path longer than it takes, or starts
// a program whose command line splits into other arguments than the routine meant.
#pragma once

#include <cstddef>
#include <cstdint>

int catalogueFuzzOneInput(const std::uint8_t* data, std::size_t size);
