// folder.files over 10,000 entries and folder.copy of a tree of 2,000 files, each against a bare
// loop of the same platform calls; and the library's heaps over a million calls of file.name.
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "bench.h"
#include "common/heap_bytes.h"
#include "platform/files.h"
#include "platform/memory.h"
#include "plugin/memory.h"
#include "plugin/module_state.h"
#include "plugin/text.h"
#include "runtime/linked.h"
#include "runtime/runtime.h"

namespace {

using namespace platform;

bool isFolder(const std::string& path) {
  DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != 0xFFFFFFFF && (attributes & kFileAttributeDirectory);
}

// Where the copies are made: the host's memory file system when Wine shows it (drive Z:), so
// that the disk's write-back does not drown the difference being measured; else the temp folder.
std::string copyFolder(const char* name) {
  const std::string memory = "Z:\\dev\\shm";
  return isFolder(memory) ? memory + "\\" + name : bench::tempFolder(name);
}

void removeTree(const std::string& folder) {
  WIN32_FIND_DATAA entry;
  HANDLE search = FindFirstFileA((folder + "\\*.*").c_str(), &entry);
  if (search != kInvalidHandle) {
    do {
      std::string name = entry.cFileName;
      if (name == "." || name == "..") continue;
      std::string path = folder + "\\" + name;
      if (entry.dwFileAttributes & kFileAttributeDirectory) {
        removeTree(path);
      } else {
        DeleteFileA(path.c_str());
      }
    } while (FindNextFileA(search, &entry));
    FindClose(search);
  }
  RemoveDirectoryA(folder.c_str());
}

// The bare copy: the same walk with no checks beyond the platform's answers.
void bareCopy(const std::string& source, const std::string& destination) {
  CreateDirectoryA(destination.c_str(), nullptr);
  WIN32_FIND_DATAA entry;
  HANDLE search = FindFirstFileA((source + "\\*.*").c_str(), &entry);
  if (search == kInvalidHandle) return;
  do {
    std::string name = entry.cFileName;
    if (entry.dwFileAttributes & kFileAttributeDirectory) {
      if (name != "." && name != "..") bareCopy(source + "\\" + name, destination + "\\" + name);
    } else {
      CopyFileA((source + "\\" + name).c_str(), (destination + "\\" + name).c_str(), kFalse);
    }
  } while (FindNextFileA(search, &entry));
  FindClose(search);
}

quenda::ValueRef folderObject(quenda::Runtime& runtime, const std::string& path) {
  return runtime.newObject("folder", path).value;
}

}  // namespace

ZV_BENCHMARK(folderFiles10000) {
  quenda::Runtime runtime;
  quenda::Result loaded = runtime.load("zorvel.dll");
  if (!loaded.ok()) return (void)std::printf("cannot load zorvel.dll: %s\n", loaded.error->c_str());
  std::string folder = bench::tempFolder("zv_bench_files");
  removeTree(folder);
  CreateDirectoryA(folder.c_str(), nullptr);
  for (int i = 0; i < 10000; ++i) std::ofstream(folder + "\\entry" + std::to_string(i) + ".txt");
  quenda::ValueRef self = folderObject(runtime, folder + "\\");

  quenda::ValueRef list;
  std::size_t listed = 0;
  std::vector<std::string> names;
  names.reserve(10010);
  bench::Comparison timing = bench::compare(
      31,
      [&] {
        list = runtime.callMethod(self, "files").value;
        listed = list ? list.elements().size() : 0;
      },
      [&] { bench::bareListing(folder, names); },
      [&] {
        list = {};
        names.clear();
      });
  if (listed != 10000) std::printf("listed %zu entries\n", listed);
  bench::report("folder.files, 10,000 entries (list kept)", timing.library, timing.bare, 1.1);
  list = {};
  removeTree(folder);
}

ZV_BENCHMARK(folderCopy2000) {
  quenda::Runtime runtime;
  quenda::Result loaded = runtime.load("zorvel.dll");
  if (!loaded.ok()) return (void)std::printf("cannot load zorvel.dll: %s\n", loaded.error->c_str());
  std::string source = copyFolder("zv_bench_tree");
  std::string libraryCopy = copyFolder("zv_bench_tree_library");
  std::string bareCopyFolder = copyFolder("zv_bench_tree_bare");
  std::printf("copies under %s\n", source.c_str());
  removeTree(source);
  CreateDirectoryA(source.c_str(), nullptr);
  std::string content(16 * 1024, 'z');
  for (int f = 0; f < 100; ++f) {
    std::string sub = source + "\\folder" + std::to_string(f);
    CreateDirectoryA(sub.c_str(), nullptr);
    for (int i = 0; i < 20; ++i) {
      std::ofstream(sub + "\\file" + std::to_string(i) + ".bin", std::ios::binary) << content;
    }
  }
  quenda::ValueRef self = folderObject(runtime, source + "\\");
  quenda::ValueRef destination = runtime.text(libraryCopy);
  bool complete = true;
  bench::Comparison timing = bench::compare(
      11,
      [&] {
        runtime.callMethod(self, "copy", {destination});
        complete = complete && isFolder(libraryCopy + "\\folder99");
      },
      [&] {
        bareCopy(source, bareCopyFolder);
        complete = complete && isFolder(bareCopyFolder + "\\folder99");
      },
      [&] {
        removeTree(libraryCopy);
        removeTree(bareCopyFolder);
      });
  if (!complete) std::printf("a copy is incomplete\n");
  bench::report("folder.copy, 2,000 files of 16 KiB in 100 folders", timing.library, timing.bare,
                1.05);
  removeTree(libraryCopy);
  removeTree(bareCopyFolder);
  removeTree(source);
}

// The library linked into this program, so that its heaps can be read.
ZV_BENCHMARK(fileNameMemory) {
  quenda::Runtime runtime;
  quenda::Result bound = runtime.bind(quenda::linkedLibrary());
  if (!bound.ok()) return (void)std::printf("cannot bind: %s\n", bound.error->c_str());
  auto heapBytes = [] {
    return heapBytesInUse(zorvel::textHeap()) + heapBytesInUse(zorvel::memoryHeap()) +
           heapBytesInUse(zorvel::module.moduleHeap);
  };
  quenda::ValueRef f = runtime.newObject("file", "C:\\some folder\\report.final.txt").value;
  for (int i = 0; i < 1000; ++i) runtime.callMethod(f, "name");
  std::size_t afterThousand = heapBytes();
  bench::Timing timing = bench::measure(1, [&] {
    for (int i = 0; i < 1000000; ++i) runtime.callMethod(f, "name");
  });
  std::size_t afterMillion = heapBytes();
  std::printf(
      "file.name: heaps %zu bytes after 1,000 calls, %zu after 1,000,000 more (%.0f ms) %s\n",
      afterThousand, afterMillion, timing.medianMs, afterMillion <= afterThousand ? "ok" : "GREW");
}
