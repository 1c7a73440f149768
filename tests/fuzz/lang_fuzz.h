// The fuzz target of the language: one input, parsed and run against the library over the
// simulated machine. libFuzzer calls it directly, fuzz_test.cpp with fixed inputs.
#pragma once

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);
