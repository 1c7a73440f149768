// dir.sel over 10,000 entries and env.all over 1,000 variables, each against a bare loop that
// does the same platform calls and host calls without the library.
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>

#include "bench.h"
#include "platform/environment.h"
#include "platform/files.h"
#include "plugin/abi.h"
#include "runtime/runtime.h"

namespace {

using namespace platform;

const void* const* gSlots = nullptr;

template <typename Fn>
Fn slot(int index) {
  return reinterpret_cast<Fn>(const_cast<void*>(gSlots[index]));
}

// The numbered listing of the current directory, printed through the host, then the question.
abi::word ZV_STDCALL bareSel() {
  char folder[kMaxPath];
  DWORD n = GetCurrentDirectoryA(sizeof folder, folder);
  std::string pattern(folder, n < sizeof folder ? n : 0);
  if (!pattern.empty() && pattern.back() != '\\') pattern += '\\';
  pattern += "*.*";
  auto printLine = slot<abi::PrintLineFn>(abi::kPrintLine);
  WIN32_FIND_DATAA entry;
  HANDLE search = FindFirstFileA(pattern.c_str(), &entry);
  if (search != kInvalidHandle) {
    int number = 1;
    char line[400], digits[16];
    do {
      if (std::strcmp(entry.cFileName, ".") == 0) continue;
      std::snprintf(digits, sizeof digits, "%d", number++);
      digits[2] = 0;
      std::snprintf(line, sizeof line,
                    (entry.dwFileAttributes & kFileAttributeDirectory) ? "$cyan$%2s $gray$-$n$ [%s]"
                                                                       : "$cyan$%2s $gray$-$n$ %s",
                    digits, entry.cFileName);
      printLine(0, line, 0);
    } while (FindNextFileA(search, &entry));
    FindClose(search);
  }
  std::string answer = slot<abi::AskTextFn>(abi::kAskText)("id", 0);
  slot<abi::EvalNumberFn>(abi::kEvalNumber)(answer.c_str());
  return 0;
}

// The environment block as a list of [name, value] lists.
abi::word ZV_STDCALL bareEnvAll() {
  auto newText = slot<abi::NewTextFn>(abi::kNewText);
  auto newList = slot<abi::NewListFn>(abi::kNewList);
  auto listAppend = slot<abi::ListAppendFn>(abi::kListAppend);
  abi::ValueRecord* list = slot<abi::NewListFn>(abi::kResultList)();
  char* block = GetEnvironmentStrings();
  std::string name;
  for (const char* at = block; at && *at; at += std::strlen(at) + 1) {
    const char* equals = std::strchr(at, '=');
    name.assign(at, equals ? static_cast<std::size_t>(equals - at) : 0);
    abi::ValueRecord* nameValue = newText(name.c_str());
    abi::ValueRecord* valueValue = newText(equals ? equals + 1 : "");
    abi::ValueRecord* pair = newList();
    listAppend(pair, nameValue);
    listAppend(pair, valueValue);
    listAppend(list, pair);
  }
  if (block) FreeEnvironmentStringsA(block);
  return static_cast<abi::word>(reinterpret_cast<std::uintptr_t>(list));
}

// A group "bare" holding the two loops, in the function-table format.
unsigned char gBareTable[64];

void registerBare(quenda::Runtime& runtime) {
  unsigned char* at = gBareTable;
  auto put = [&](const char* text) {
    std::size_t n = std::strlen(text) + 1;
    std::memcpy(at, text, n);
    at += n;
  };
  auto function = [&](const char* name, abi::Routine routine) {
    *at++ = abi::kTableFunction;
    put(name);
    auto address = static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(routine));
    std::memcpy(at, &address, 4);
    at += 4;
  };
  *at++ = abi::kTableGroup;
  put("bare");
  function("sel", bareSel);
  function("envAll", bareEnvAll);
  *at++ = abi::kTableEnd;
  *at++ = abi::kTableEnd;
  gSlots = runtime.slotTable();
  slot<abi::RegisterFunctionsFn>(abi::kRegisterFunctions)(runtime.rootHandle(), gBareTable);
}

bool loadLibrary(quenda::Runtime& runtime) {
  quenda::Result loaded = runtime.load("zorvel.dll");
  if (!loaded.ok()) {
    std::printf("cannot load zorvel.dll: %s\n", loaded.error->c_str());
    return false;
  }
  registerBare(runtime);
  return true;
}

}  // namespace

ZV_BENCHMARK(dirSel10000) {
  quenda::Runtime runtime;
  if (!loadLibrary(runtime)) return;
  std::string folder = bench::tempFolder("zv_bench_sel");
  CreateDirectoryA(folder.c_str(), nullptr);
  for (int i = 0; i < 10000; ++i) std::ofstream(folder + "\\entry" + std::to_string(i) + ".txt");
  std::string output = bench::tempFolder("zv_bench_sel.out");
  char previous[kMaxPath];
  DWORD n = GetCurrentDirectoryA(sizeof previous, previous);
  SetCurrentDirectoryA(folder.c_str());

  std::FILE* out = nullptr;
  runtime.hooks().printLine = [&](std::string_view line) {
    std::fwrite(line.data(), 1, line.size(), out);
    std::fputc('\n', out);
  };
  runtime.hooks().askText = [](std::string_view) { return std::optional<std::string>("0"); };
  auto reopen = [&] {
    if (out) std::fclose(out);
    out = std::fopen(output.c_str(), "wb");
  };
  long libraryBytes = 0, bareBytes = 0;
  bench::Comparison timing = bench::compare(
      9,
      [&] {
        runtime.call("dir.sel");
        libraryBytes = std::ftell(out);
      },
      [&] {
        runtime.call("bare.sel");
        bareBytes = std::ftell(out);
      },
      reopen);
  std::fclose(out);
  if (libraryBytes != bareBytes)
    std::printf("outputs differ: %ld and %ld bytes\n", libraryBytes, bareBytes);
  bench::report("dir.sel, 10,000 entries, answer 0, to a file", timing.library, timing.bare, 1.2);

  SetCurrentDirectoryA(std::string(previous, n < sizeof previous ? n : 0).c_str());
  for (int i = 0; i < 10000; ++i)
    DeleteFileA((folder + "\\entry" + std::to_string(i) + ".txt").c_str());
  RemoveDirectoryA(folder.c_str());
  DeleteFileA(output.c_str());
}

ZV_BENCHMARK(envAll1000) {
  quenda::Runtime runtime;
  if (!loadLibrary(runtime)) return;
  char name[32];
  for (int i = 0; i < 1000; ++i) {
    std::snprintf(name, sizeof name, "ZV_BENCH_%04d", i);
    SetEnvironmentVariableA(name, "C:\\some\\value=with\\an\\equals\\sign");
  }
  std::size_t libraryCount = 0, bareCount = 0;
  bench::Comparison timing = bench::compare(
      51, [&] { libraryCount = runtime.call("env.all").value.elements().size(); },
      [&] { bareCount = runtime.call("bare.envAll").value.elements().size(); });
  if (libraryCount != bareCount)
    std::printf("lists differ: %zu and %zu entries\n", libraryCount, bareCount);
  bench::report("env.all, " + std::to_string(libraryCount) + " variables", timing.library,
                timing.bare, 1.5);
  for (int i = 0; i < 1000; ++i) {
    std::snprintf(name, sizeof name, "ZV_BENCH_%04d", i);
    SetEnvironmentVariableA(name, nullptr);
  }
}
