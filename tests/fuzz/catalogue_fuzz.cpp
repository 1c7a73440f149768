// The fuzz target of the library's catalogue: each input drives routines of the three function
// tables through the host runtime over the simulated machine, with faults injected and the
// host's questions answered from the input. It aborts, naming the broken invariant, when a call
// leaks library memory or a handle, hands the platform a path longer than it takes, or starts
// a program whose command line splits into other arguments than the routine meant. The inputs
// are random choice streams; CATALOGUE_FUZZ_RUNS and CATALOGUE_FUZZ_SEED change their count
// and seed (a long run by hand: CATALOGUE_FUZZ_RUNS=1000000 ./catalogue_fuzz_tests).
#include <gtest/gtest.h>

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "common/command_line.h"
#include "common/heap_bytes.h"
#include "platform/keyboard.h"
#include "platform/registry.h"
#include "platform/sim/sim.h"
#include "plugin/catalogue.h"
#include "plugin/memory.h"
#include "plugin/module_state.h"
#include "plugin/text.h"
#include "runtime/linked.h"
#include "runtime/runtime.h"

namespace {

namespace sim = platform::sim;

constexpr const char* kBrowser = "C:\\Program Files\\Browser\\browser.exe";
constexpr const char* kExplorer = "C:\\Windows\\explorer.exe";
constexpr const char* kHandler = "C:\\Windows\\System32\\handler.exe";
constexpr std::size_t kLongestText = 64 * 1024;

[[noreturn]] void broken(const std::string& what) {
  std::fprintf(stderr, "catalogue fuzz: %s\n", what.c_str());
  std::abort();
}

std::vector<std::string> split(const char* text, char separator) {
  std::vector<std::string> out;
  std::istringstream in(text);
  for (std::string part; std::getline(in, part, separator);) out.push_back(part);
  return out;
}

// The input read as a stream of choices; past its end every choice is 0.
class Choices {
 public:
  Choices(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
  std::uint32_t byte() { return at_ < size_ ? data_[at_++] : 0; }
  std::uint32_t below(std::uint32_t n) { return n ? (byte() | byte() << 8) % n : 0; }
  bool chance(std::uint32_t inN) { return below(inN) == 0; }
  bool done() const { return at_ >= size_; }
  template <class List>
  const auto& of(const List& items) {
    return items[below(static_cast<std::uint32_t>(std::size(items)))];
  }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t at_ = 0;
};

// Pieces that paths, command lines and addresses are broken with, separated by '|'.
const std::vector<std::string> kPieces = split(
    "\\|\\\\|\"|..|\\..\\|.| |\t|C:\\|D:\\|work\\|src\\|sub\\|loop\\|notes.txt|a.txt|*|?|%|%22|:|"
    "/|\\\\?\\|explorer|x|LONGNAME|https://|www.example.com|-switch|\x01|\x1f|\x7f|\x80|\xe9|"
    "\xc9|\xff|C:\\work\\|C:\\Windows\\|\r\n|=",
    '|');

// A text without NUL: from empty to kLongestText bytes, of pieces, input bytes or repeats.
std::string text(Choices& in) {
  std::string out;
  const std::uint32_t how = in.below(4);
  if (how == 0) {
    for (std::uint32_t n = in.below(12); n; --n) out += in.of(kPieces);
  } else if (how == 1) {  // the input's own bytes
    for (std::uint32_t n = in.below(40); n; --n) {
      char c = static_cast<char>(in.byte());
      out += c ? c : '\\';
    }
  } else if (how == 2) {  // a piece repeated to a length around a limit or up to the longest
    static const std::size_t kLengths[] = {255, 259, 260, 261, 520, 4096, 32767, kLongestText};
    const std::string& piece = in.of(kPieces);
    std::size_t length = in.chance(2) ? in.of(kLengths) : in.below(kLongestText + 1);
    if (in.chance(2)) out = "C:\\work\\";
    while (out.size() < length) out += piece;
    out.resize(length);
  }
  return out;
}

// The routines of the three tables, as they list them: the members of the classes, then the
// root's functions by their path.
struct Routine {
  std::string name;
  bool member;  // called on an object
  bool folder;  // of the folder class (members only)
};
std::vector<Routine> tableRoutines() {
  std::vector<Routine> out;
  for (bool folder : {false, true}) {
    zorvel::TableBytes table = folder ? zorvel::folderTable() : zorvel::fileTable();
    for (const auto& e : quenda::readFunctionTable(table.bytes, table.size).entries)
      out.push_back({e.name, true, folder});
  }
  zorvel::TableBytes root = zorvel::rootTable();
  for (const auto& e : quenda::readFunctionTable(root.bytes, root.size).entries) {
    if (e.kind == abi::kTableFunction) out.push_back({e.name, false, false});
    for (const auto& member : e.entries) out.push_back({e.name + "." + member.name, false, false});
  }
  return out;
}
const std::vector<Routine> kRoutines = tableRoutines();

// Operations whose failure the library must survive. Releasing calls are left alone: a refused
// CloseHandle leaves its handle open, as Windows does.
const std::vector<std::string> kFaultable = split(
    "HeapAlloc HeapReAlloc FindFirstFileA FindNextFileA CopyFileA MoveFileA DeleteFileA "
    "CreateDirectoryA GetFileAttributesA SetFileAttributesA GetCurrentDirectoryA "
    "SetCurrentDirectoryA CreateFileA GetFileInformationByHandle CreateProcessA ShellExecuteExA "
    "RegOpenKeyExA RegQueryValueExA GetEnvironmentStrings GetEnvironmentVariableA "
    "SetEnvironmentVariableA OpenClipboard GetClipboardData GlobalAlloc GlobalLock "
    "SetClipboardData EmptyClipboard SHGetSpecialFolderLocation SHGetPathFromIDListA "
    "GetWindowsDirectoryA GetVersionExA GetOpenFileNameA LoadLibraryA GetProcAddress "
    "SHBrowseForFolder SHGetPathFromIDList",
    ' ');
const platform::DWORD kErrors[] = {platform::kErrorAccessDenied, platform::kErrorNotEnoughMemory,
                                   platform::kErrorFileNotFound, platform::kErrorPathNotFound,
                                   platform::kErrorSharingViolation};

// The platform's file calls and the positions of their path arguments.
const std::pair<const char*, std::vector<std::size_t>> kPathCalls[] = {
    {"FindFirstFileA", {0}},     {"CopyFileA", {0, 1}},         {"MoveFileA", {0, 1}},
    {"DeleteFileA", {0}},        {"CreateDirectoryA", {0}},     {"SetFileAttributesA", {0}},
    {"GetFileAttributesA", {0}}, {"SetCurrentDirectoryA", {0}}, {"CreateFileA", {0}},
    {"RemoveDirectoryA", {0}},   {"CreateProcessA", {7}},       {"ShellExecuteExA", {6}},
};

void prepareMachine(Choices& in) {
  sim::reset();
  sim::addFile("C:\\work\\notes.txt", "notes");
  sim::addFile("C:\\work\\src\\a.txt", "a",
               in.chance(3) ? platform::kFileAttributeHidden : platform::kFileAttributeArchive);
  sim::addFolder("C:\\work\\src\\sub");
  sim::addJunction("C:\\work\\src\\loop", "C:\\work\\src");
  // Programs, two of them planted in the current folder under names the library might look for.
  for (const char* program : {"C:\\work\\explorer.exe", "C:\\work\\www.example.com", kExplorer,
                              "C:\\tools\\app.exe", kBrowser, kHandler})
    sim::addFile(program);
  for (const char* kind : {"http:", "https:", ".txt", "folder"}) sim::associate(kind, kHandler);
  if (!in.chance(4)) {
    sim::setRegistryText(
        platform::kHkeyCurrentUser,
        "Software\\Microsoft\\Windows\\Shell\\Associations\\UrlAssociations\\http\\UserChoice",
        "ProgID", "TestURL");
    sim::setRegistryText(platform::kHkeyLocalMachine,
                         "SOFTWARE\\Classes\\TestURL\\shell\\open\\command", "",
                         std::string("\"") + kBrowser + "\" \"%1\"");
  }
  sim::setCurrentDirectoryPath("C:\\work");
  // standby stops at its first look at the keys: Ctrl held, Enter pressed afresh.
  sim::setKeyDown(platform::kVkControl, true);
  sim::onKeyQuery([](int key, int) {
    if (key != platform::kVkReturn) return;
    sim::setKeyDown(key, false);
    sim::setKeyDown(key, true);
  });
}

std::size_t libraryBytes() {
  return heapBytesInUse(zorvel::textHeap()) + heapBytesInUse(zorvel::memoryHeap()) +
         heapBytesInUse(zorvel::module.moduleHeap);
}

// What a call means to start: whether it may start anything, the program when the routine
// chooses it, and the arguments when they can be read from the call.
struct Meant {
  bool starts = false;
  std::string program;
  std::optional<std::vector<std::string>> arguments;
  bool namesItsFolder = false;  // a program run by its path, a web address that is a full path
};

class Session {
 public:
  explicit Session(Choices& in) : in_(in) {}

  void run() {
    quenda::Runtime runtime;
    runtime_ = &runtime;
    runtime.hooks().printLine = [](std::string_view) {};
    runtime.hooks().reportError = [](std::string_view) {};
    runtime.hooks().askText = [this](std::string_view) -> std::optional<std::string> {
      const std::uint32_t how = in_.below(6);
      if (how == 0) return std::nullopt;
      if (how == 1) return std::to_string(static_cast<int>(in_.below(5)) - 1);
      return how == 2 ? std::string("99999999999") : text(in_);
    };
    sim::onFileDialog([this](platform::OPENFILENAMEA&) -> platform::BOOL {
      if (in_.chance(2)) return platform::kFalse;
      sim::answerFileDialog(text(in_));
      return platform::kTrue;
    });
    sim::onFolderDialog([this](platform::BROWSEINFOA&) -> std::optional<std::string> {
      if (in_.chance(2)) return std::nullopt;
      return text(in_);
    });
    if (!runtime.bind(quenda::linkedLibrary()).ok()) broken("the library did not bind");

    for (int calls = 1 + static_cast<int>(in_.below(8)); calls && !in_.done(); --calls) callOne();
    runtime_ = nullptr;
  }

 private:
  quenda::ValueRef object(bool folder) {
    quenda::Result made = runtime_->newObject(folder ? "folder" : "file", text(in_));
    return made.ok() ? made.value : quenda::ValueRef();
  }

  quenda::ValueRef value(int depth = 0) {
    static const std::int32_t kNumbers[] = {0, 1, -1, 2, 255, 65536, INT32_MAX, INT32_MIN};
    const std::uint32_t how = in_.below(8);
    if (how < 3) return runtime_->text(text(in_));
    if (how == 3) return runtime_->number(in_.of(kNumbers));
    if (how < 6) return object(how == 5);
    std::vector<quenda::ValueRef> elements;
    if (how == 6 && depth < 2)
      for (std::uint32_t n = in_.below(3); n; --n) elements.push_back(value(depth + 1));
    return how == 6 ? runtime_->list(std::move(elements)) : runtime_->text("");
  }

  void injectFaults() {
    sim::clearFaults();
    for (std::uint32_t n = in_.below(4); n; --n) {
      const std::string& operation = in_.of(kFaultable);
      platform::DWORD error = in_.of(kErrors);
      if (in_.chance(16))
        sim::failAlways(operation, error);
      else
        sim::failCall(operation, 1 + static_cast<int>(in_.below(12)), error);
    }
  }

  void callOne() {
    const Routine& routine = in_.of(kRoutines);
    quenda::ValueRef self = routine.member ? object(routine.folder) : quenda::ValueRef();
    std::vector<quenda::ValueRef> args;
    for (std::uint32_t n = in_.below(5); n; --n) args.push_back(value());

    Meant meant = meaning(routine.name, self, args);
    std::size_t startedBefore = sim::processes().size();
    std::string context = routine.name + (routine.folder ? " (folder)" : "") + " with " +
                          std::to_string(args.size()) + " arguments";
    injectFaults();
    sim::clearCalls();
    std::size_t before = libraryBytes();
    {
      quenda::Result result = routine.member ? runtime_->callMethod(self, routine.name, args)
                                             : runtime_->call(routine.name, args);
      if (!result.ok() && result.error->empty()) broken(context + ": an error without a message");
    }
    sim::clearFaults();
    args.clear();
    self = quenda::ValueRef();

    checkPaths(context);
    checkStarts(routine.name, context, meant, startedBefore);
    // A scan of the environment keeps its snapshot of the block until the next scan.
    std::size_t kept = 0;
    if (routine.name.starts_with("env.")) {
      for (const std::string& entry : sim::environmentEntries()) kept += entry.size() + 1;
      kept += 16;
    }
    if (libraryBytes() > before + kept) broken(context + ": library memory left behind");
    std::string open = sim::openHandles();
    if (!open.empty()) broken(context + ": left open: " + open);
  }

  // Only the folder class has exp, and only the root run and web.
  static Meant meaning(const std::string& name, const quenda::ValueRef& self,
                       const std::vector<quenda::ValueRef>& args) {
    Meant m;
    m.starts = name == "exp" || name == "web" || name == "run";
    m.namesItsFolder = name == "run";
    if (name == "exp") {
      m.program = kExplorer;
      m.arguments = {{self ? self.objectPath() : ""}};
    } else if (name == "web" && !args.empty()) {
      // The address is a text or an object's path. The shell runs what a full path names, as
      // the user would by typing it.
      const bool text = args[0].is(quenda::Kind::Text);
      const std::string a = text                               ? args[0].text()
                            : args[0].is(quenda::Kind::Object) ? args[0].objectPath()
                                                               : "";
      m.namesItsFolder = (a.size() >= 3 && std::isalpha(static_cast<unsigned char>(a[0])) &&
                          a[1] == ':' && (a[2] == '\\' || a[2] == '/')) ||
                         a.rfind("\\\\", 0) == 0;
      if (text) {
        std::string encoded;
        for (char c : a) encoded += c == '"' ? std::string("%22") : std::string(1, c);
        m.arguments = {{encoded}};
      }
    } else if (name == "run" && args.size() >= 2 && args[1].is(quenda::Kind::Object)) {
      m.arguments = {{args[1].objectPath()}};
    }
    return m;
  }

  void checkPaths(const std::string& context) {
    for (const auto& [operation, paths] : kPathCalls) {
      for (const sim::Call& call : sim::callsOf(operation)) {
        for (std::size_t at : paths) {
          if (at < call.args.size() && call.args[at] != "(null)" &&
              call.args[at].size() >= platform::kMaxPath) {
            broken(context + ": " + operation + " was handed a path of " +
                   std::to_string(call.args[at].size()) + " characters");
          }
        }
      }
    }
  }

  void checkStarts(const std::string& name, const std::string& context, const Meant& meant,
                   std::size_t startedBefore) {
    const auto& started = sim::processes();
    if (!meant.starts && started.size() != startedBefore) broken(context + ": started a program");
    for (std::size_t i = startedBefore; i < started.size(); ++i) {
      const sim::Process& p = started[i];
      // Only a program the user named may come from the current folder.
      std::string folder = p.program.substr(0, 8);
      for (char& c : folder) c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
      if (folder == "C:\\WORK\\" && !meant.namesItsFolder)
        broken(context + ": started " + p.program + " from the current folder");
      if (!p.byShell && !meant.program.empty() && p.program != meant.program)
        broken(context + ": started " + p.program + " instead of " + meant.program);
      // Without a browser, web hands the shell the address as the file, not as parameters.
      if (!meant.arguments || (p.byShell && name == "web")) continue;
      std::string line = p.commandLine;
      if (p.byShell) {
        auto shell = sim::callsOf("ShellExecuteExA");
        if (shell.empty()) broken(context + ": a shell start without a shell call");
        line = "x " + shell.back().args[5];
      }
      std::vector<std::string> got = splitCommandLine(line);
      got.erase(got.begin());
      if (got != *meant.arguments)
        broken(context + ": the command line " + line.substr(0, 200) +
               " splits into other arguments than meant");
    }
  }

  Choices& in_;
  quenda::Runtime* runtime_ = nullptr;
};

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
    Choices in(input.data(), input.size());
    prepareMachine(in);
    Session(in).run();
    sim::clearFaults();
    sim::reset();
  }
}

}  // namespace
