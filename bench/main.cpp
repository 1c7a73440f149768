#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <utility>
#include <vector>

#include "bench.h"
#include "platform/files.h"

namespace bench {
namespace {

struct Entry {
  const char* name;
  Benchmark run;
  bool onlyWhenNamed;
};

std::vector<Entry>& registry() {
  static std::vector<Entry> all;
  return all;
}

long givenCount = -1;  // after the running benchmark's name; -1: none

}  // namespace

bool add(const char* name, Benchmark run, bool onlyWhenNamed) {
  registry().push_back({name, run, onlyWhenNamed});
  return true;
}

long count(long fallback) {
  return givenCount > 0 ? givenCount : fallback;
}

namespace {

Timing summary(std::vector<double> runs) {
  std::sort(runs.begin(), runs.end());
  return {runs.front(), runs[runs.size() / 2]};
}

double timeOnce(const std::function<void()>& work, const std::function<void()>& between) {
  if (between) between();
  auto start = std::chrono::steady_clock::now();
  work();
  std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
  return took.count();
}

}  // namespace

Comparison compare(int repeats, const std::function<void()>& library,
                   const std::function<void()>& bare, const std::function<void()>& between) {
  timeOnce(library, between);  // warm-up
  timeOnce(bare, between);
  std::vector<double> libraryRuns, bareRuns;
  for (int i = 0; i < repeats; ++i) {
    libraryRuns.push_back(timeOnce(library, between));
    bareRuns.push_back(timeOnce(bare, between));
  }
  return {summary(libraryRuns), summary(bareRuns)};
}

Timing measure(int repeats, const std::function<void()>& work,
               const std::function<void()>& between) {
  timeOnce(work, between);  // warm-up
  std::vector<double> runs;
  for (int i = 0; i < repeats; ++i) runs.push_back(timeOnce(work, between));
  return summary(runs);
}

void report(const std::string& what, Timing library, Timing bare, double limit) {
  double ratio = library.medianMs / bare.medianMs;
  std::printf(
      "%-44s library %9.2f ms (min %9.2f)  bare %9.2f ms (min %9.2f)  ratio %.2f (limit %.2f) %s\n",
      what.c_str(), library.medianMs, library.minMs, bare.medianMs, bare.minMs, ratio, limit,
      ratio <= limit ? "ok" : "OVER");
  std::fflush(stdout);
}

std::string tempFolder(const char* name) {
  char temp[platform::kMaxPath];
  platform::DWORD n = platform::GetTempPathA(sizeof temp, temp);
  std::string folder(temp, n < sizeof temp ? n : 0);
  folder += name;
  return folder;
}

void bareListing(const std::string& folder, std::vector<std::string>& names) {
  platform::WIN32_FIND_DATAA entry;
  std::string pattern = folder;
  pattern += "\\*.*";
  platform::HANDLE search = platform::FindFirstFileA(pattern.c_str(), &entry);
  if (search == platform::kInvalidHandle) return;
  do names.emplace_back(entry.cFileName);
  while (platform::FindNextFileA(search, &entry));
  platform::FindClose(search);
}

}  // namespace bench

int main(int argc, char** argv) {
  for (const bench::Entry& entry : bench::registry()) {
    bool wanted = argc < 2 && !entry.onlyWhenNamed;
    bench::givenCount = -1;
    for (int i = 1; i < argc; ++i) {
      if (std::strcmp(argv[i], entry.name) != 0) continue;
      wanted = true;
      if (i + 1 < argc) bench::givenCount = std::strtol(argv[i + 1], nullptr, 10);
    }
    if (!wanted) continue;
    std::printf("== %s\n", entry.name);
    std::fflush(stdout);
    entry.run();
  }
  return 0;
}
