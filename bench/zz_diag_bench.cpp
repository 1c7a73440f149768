#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>
#include "bench.h"
#include "classes/directory_scan.h"
#include "classes/joined_text.h"
#include "classes/objects.h"
#include "platform/files.h"
#include "plugin/calls.h"
#include "plugin/function_table.h"
#include "plugin/module.h"
#include "runtime/linked.h"
#include "runtime/runtime.h"
using namespace platform;
namespace {
std::string gFolder;
abi::word ZV_STDCALL scanJoin() {
  zorvel::DirectoryScan* scan = zorvel::openDirectoryScan(gFolder.c_str(), "*.*");
  zorvel::TextVar path;
  abi::ValueRecord* list = zorvel::host::resultList();
  while (zorvel::nextDirectoryEntry(scan)) zorvel::joinText(path, {gFolder.c_str(), zorvel::directoryEntryName(scan)});
  zorvel::closeDirectoryScan(scan);
  return zorvel::host::asWord(list);
}
abi::word ZV_STDCALL scanNew() {
  zorvel::DirectoryScan* scan = zorvel::openDirectoryScan(gFolder.c_str(), "*.*");
  abi::ValueRecord* list = zorvel::host::resultList();
  while (zorvel::nextDirectoryEntry(scan)) zorvel::host::listAppend(list, zorvel::host::newObject(zorvel::module.fileClass));
  zorvel::closeDirectoryScan(scan);
  return zorvel::host::asWord(list);
}
abi::word ZV_STDCALL scanText() {
  zorvel::DirectoryScan* scan = zorvel::openDirectoryScan(gFolder.c_str(), "*.*");
  abi::ValueRecord* list = zorvel::host::resultList();
  while (zorvel::nextDirectoryEntry(scan)) zorvel::host::listAppend(list, zorvel::host::newText(zorvel::directoryEntryName(scan)));
  zorvel::closeDirectoryScan(scan);
  return zorvel::host::asWord(list);
}
constexpr zorvel::CatalogEntry kCat[] = {{abi::kTableGroup, "diag", nullptr}, {abi::kTableFunction, "join", scanJoin}, {abi::kTableFunction, "new", scanNew}, {abi::kTableFunction, "text", scanText}, {abi::kTableEnd, nullptr, nullptr}, {abi::kTableEnd, nullptr, nullptr}};
unsigned char gTable[256];
}
ZV_BENCHMARK(diagFiles) {
  quenda::Runtime runtime;
  runtime.bind(quenda::linkedLibrary());
  zorvel::writeFunctionTable(kCat, std::size(kCat), gTable, sizeof gTable);
  reinterpret_cast<abi::RegisterFunctionsFn>(const_cast<void*>(runtime.slotTable()[abi::kRegisterFunctions]))(runtime.rootHandle(), gTable);
  char temp[kMaxPath];
  DWORD n = GetTempPathA(sizeof temp, temp);
  std::string folder = std::string(temp, n) + "zv_diag_files";
  CreateDirectoryA(folder.c_str(), nullptr);
  for (int i = 0; i < 10000; ++i) std::ofstream(folder + "\\entry" + std::to_string(i) + ".txt");
  gFolder = folder + "\\";
  quenda::ValueRef self = runtime.newObject("folder", folder + "\\").value;
  quenda::ValueRef list;
  std::vector<std::string> names;
  auto bare = [&] {
        WIN32_FIND_DATAA entry;
        HANDLE search = FindFirstFileA((folder + "\\*.*").c_str(), &entry);
        do names.emplace_back(entry.cFileName); while (FindNextFileA(search, &entry));
        FindClose(search); };
  auto clear = [&] { list = {}; names.clear(); runtime.clearSlotCalls(); };
  for (const char* what : {"files", "join", "new", "text"}) {
    auto c = bench::compare(21, [&] { list = what == std::string("files") ? runtime.callMethod(self, "files").value : runtime.call(std::string("diag.") + what).value; }, bare, clear);
    bench::report(what, c.library, c.bare, 1.3);
  }
  list = {};
  for (int i = 0; i < 10000; ++i) DeleteFileA((folder + "\\entry" + std::to_string(i) + ".txt").c_str());
  RemoveDirectoryA(folder.c_str());
}
