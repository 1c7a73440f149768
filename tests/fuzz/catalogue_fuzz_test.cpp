// The catalogue's fuzz target under a bounded random generator: random choice streams, each a
// short session of calls. CATALOGUE_FUZZ_RUNS and CATALOGUE_FUZZ_SEED change the count and the
// seed; a long run by hand: CATALOGUE_FUZZ_RUNS=1000000 ./catalogue_fuzz_tests.
#include <gtest/gtest.h>

#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "catalogue_fuzz.h"

namespace {

std::uint64_t envNumber(const char* name, std::uint64_t fallback) {
  const char* value = std::getenv(name);
  return value && *value ? std::strtoull(value, nullptr, 10) : fallback;
}

TEST(CatalogueFuzz, RandomSessionsKeepEveryInvariant) {
  const std::uint64_t runs = envNumber("CATALOGUE_FUZZ_RUNS", 800);
  const std::uint64_t seed = envNumber("CATALOGUE_FUZZ_SEED", 20261207);
  std::mt19937_64 random(seed);
  std::vector<std::uint8_t> input;
  for (std::uint64_t i = 0; i < runs; ++i) {
    input.resize(std::uniform_int_distribution<std::size_t>(8, 400)(random));
    for (auto& b : input) b = static_cast<std::uint8_t>(random());
    SCOPED_TRACE("seed " + std::to_string(seed) + ", input " + std::to_string(i));
    catalogueFuzzOneInput(input.data(), input.size());
  }
}

}  // namespace
