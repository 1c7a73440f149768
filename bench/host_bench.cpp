// The reference host on its own: its memory over a long standby, its share of folder.files, and
// scripts of many definitions and long else-if chains.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "bench.h"
#include "common/heap_bytes.h"
#include "counting_new.h"
#include "lang/interpreter.h"
#include "platform/files.h"
#include "plugin/abi.h"
#include "plugin/memory.h"
#include "plugin/module_state.h"
#include "plugin/text.h"
#include "runtime/linked.h"
#include "runtime/runtime.h"

namespace {

using namespace platform;

void makeFolder(const std::string& folder, int entries) {
  CreateDirectoryA(folder.c_str(), nullptr);
  for (int i = 0; i < entries; ++i) std::ofstream(folder + "\\entry" + std::to_string(i) + ".txt");
}

void removeFolder(const std::string& folder, int entries) {
  for (int i = 0; i < entries; ++i)
    DeleteFileA((folder + "\\entry" + std::to_string(i) + ".txt").c_str());
  RemoveDirectoryA(folder.c_str());
}

std::size_t libraryBytes() {
  return heapBytesInUse(zorvel::textHeap()) + heapBytesInUse(zorvel::memoryHeap()) +
         heapBytesInUse(zorvel::module.moduleHeap);
}

class Meter : public quenda::ScriptFunction {
 public:
  Meter(long passes, std::string folder) : passes_(passes), folder_(std::move(folder)) {}
  quenda::Result call(quenda::Runtime& runtime, const std::vector<quenda::ValueRef>&) override {
    ++pass_;
    if (pass_ == 1) {
      firstHost_ = hostBytesInUse();
      firstLibrary_ = libraryBytes();
      start_ = std::chrono::steady_clock::now();
    }
    if (pass_ < passes_) return quenda::Result::of({});
    std::size_t host = hostBytesInUse(), library = libraryBytes();
    std::chrono::duration<double> took = std::chrono::steady_clock::now() - start_;
    long growth = static_cast<long>(host) - static_cast<long>(firstHost_);
    std::printf(
        "standby, %ld passes listing 1,000 entries: host %zu bytes after the first pass, %zu at "
        "the end (%+ld); library heaps %zu and %zu; %.0f s, %zu values alive %s\n",
        passes_, firstHost_, host, growth, firstLibrary_, library, took.count(),
        runtime.liveValueCount(), growth < 64 * 1024 && library <= firstLibrary_ ? "ok" : "GREW");
    std::fflush(stdout);
    removeFolder(folder_, 1000);
    // standby stops only on Ctrl+Enter: the measurement ends the program.
    std::_Exit(0);
  }

 private:
  long passes_;
  std::string folder_;
  long pass_ = 0;
  std::size_t firstHost_ = 0, firstLibrary_ = 0;
  std::chrono::steady_clock::time_point start_;
};

// One routine of the host's share of folder.files: 10,000 texts appended to a result list,
// the slot calls the library makes, without the scan.
const void* const* gSlots = nullptr;
template <typename Fn>
Fn slot(int index) {
  return reinterpret_cast<Fn>(const_cast<void*>(gSlots[index]));
}
std::vector<std::string> gNames;  // made before the timing
abi::word ZV_STDCALL hostList() {
  auto newText = slot<abi::NewTextFn>(abi::kNewText);
  auto listAppend = slot<abi::ListAppendFn>(abi::kListAppend);
  abi::ValueRecord* list = slot<abi::NewListFn>(abi::kResultList)();
  for (const std::string& name : gNames) listAppend(list, newText(name.c_str()));
  return static_cast<abi::word>(reinterpret_cast<std::uintptr_t>(list));
}
unsigned char gTable[32];

}  // namespace

// Runs until the count of passes (100,000 unless given) and ends the program there.
ZV_LONG_BENCHMARK(standbySoak) {
  long passes = bench::count(100000);
  auto runtime = std::make_unique<quenda::Runtime>();
  quenda::Result bound = runtime->bind(quenda::linkedLibrary());
  if (!bound.ok()) return (void)std::printf("cannot bind: %s\n", bound.error->c_str());
  quenda::lang::Interpreter lang(*runtime);
  std::string folder = bench::tempFolder("zv_bench_soak");
  makeFolder(folder, 1000);
  runtime->hooks().printLine = [](std::string_view) {};  // standby's two lines a run
  // One job, so one pass is one listing and one of standby's 1 ms sleeps.
  runtime->define("meter", runtime->function(std::make_shared<Meter>(passes, folder), "meter"));
  quenda::lang::Outcome defined =
      lang.run("folder big(\"" + folder + "\\\")\nlast = big.files\njob\\list\\refresh = 0\n" +
                   "job\\list\\action(){\n  last = big.files\n  meter\n}\n",
               {"soak", false});
  if (!defined.ok) return (void)std::printf("%s\n", quenda::lang::describe(defined.error).c_str());
  runtime->call("standby");
}

ZV_BENCHMARK(hostShareOfFolderFiles) {
  quenda::Runtime runtime;
  quenda::Result bound = runtime.bind(quenda::linkedLibrary());
  if (!bound.ok()) return (void)std::printf("cannot bind: %s\n", bound.error->c_str());
  gSlots = runtime.slotTable();
  unsigned char* at = gTable;
  *at++ = abi::kTableFunction;
  std::memcpy(at, "hostList", 9);
  at += 9;
  auto address = static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(&hostList));
  std::memcpy(at, &address, 4);
  at += 4;
  *at = abi::kTableEnd;
  slot<abi::RegisterFunctionsFn>(abi::kRegisterFunctions)(runtime.rootHandle(), gTable);

  std::string folder = bench::tempFolder("zv_bench_share");
  makeFolder(folder, 10000);
  for (int i = 0; i < 10000; ++i) gNames.push_back(folder + "\\entry" + std::to_string(i) + ".txt");
  quenda::ValueRef list;
  std::vector<std::string> names;
  names.reserve(10010);
  bench::Comparison timing = bench::compare(
      31, [&] { list = runtime.call("hostList").value; },
      [&] { bench::bareListing(folder, names); },
      [&] {
        list = {};
        names.clear();
      });
  // Of the margin that folder.files may have over the bare loop, this is the host's part.
  bench::report("host: 10,000 texts into a list, against the loop", timing.library, timing.bare,
                0.05);
  list = {};
  removeFolder(folder, 10000);
}

// 10,000 definitions, then a call of the last; a chain of 10,000 else-if arms whose last arm is
// taken. Each on a fresh runtime, parse and run together.
ZV_BENCHMARK(scriptSize10000) {
  std::string definitions, chain = "n = 9999\nif(n == 0){ x = 0 }";
  for (int i = 0; i < 10000; ++i) {
    definitions += "f" + std::to_string(i) + "(){ return " + std::to_string(i) + " }\n";
    if (i) chain += "\nelse if(n == " + std::to_string(i) + "){ x = " + std::to_string(i) + " }";
  }
  definitions += "y = f9999\n";
  for (const auto& [what, source] :
       {std::pair<const char*, const std::string&>{"10,000 definitions", definitions},
        {"an else-if chain of 10,000 arms", chain}}) {
    bool ok = true;
    bench::Timing timing = bench::measure(5, [&] {
      quenda::Runtime runtime;
      quenda::lang::Interpreter lang(runtime);
      ok = ok && lang.run(source, {"bench", false}).ok;
    });
    std::printf("%-44s %9.2f ms (min %9.2f)  limit 1000 ms %s\n", what, timing.medianMs,
                timing.minMs, ok && timing.medianMs < 1000 ? "ok" : "OVER");
  }
}
