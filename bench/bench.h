// A small benchmark harness: each benchmark registers itself by name; the program runs those
// named on its command line, or all of them.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace bench {

using Benchmark = void (*)();
// `onlyWhenNamed`: a long benchmark that runs only when its name is on the command line.
bool add(const char* name, Benchmark run, bool onlyWhenNamed = false);
// The number written after the running benchmark's name on the command line
// ("zorvel_bench.exe standbySoak 100000"), or `fallback`.
long count(long fallback);

struct Timing {
  double minMs;
  double medianMs;
};
// Runs `work` `repeats` times (after one warm-up run); `between` runs untimed before each run.
Timing measure(int repeats, const std::function<void()>& work,
               const std::function<void()>& between = {});
// Times two pieces of work in alternation, so that both see the same machine load.
struct Comparison {
  Timing library;
  Timing bare;
};
Comparison compare(int repeats, const std::function<void()>& library,
                   const std::function<void()>& bare, const std::function<void()>& between = {});
// Prints one result line: both timings, the ratio of the medians and the limit it must stay under.
void report(const std::string& what, Timing library, Timing bare, double limit);

// The folder `name` in the temporary folder.
std::string tempFolder(const char* name);

// The bare listing a folder's listing is measured against: every name the find calls give,
// appended to `names`.
void bareListing(const std::string& folder, std::vector<std::string>& names);

}  // namespace bench

#define ZV_BENCHMARK(name)                                                       \
  static void name();                                                            \
  [[maybe_unused]] static const bool name##Registered = bench::add(#name, name); \
  static void name()
#define ZV_LONG_BENCHMARK(name)                                                        \
  static void name();                                                                  \
  [[maybe_unused]] static const bool name##Registered = bench::add(#name, name, true); \
  static void name()
