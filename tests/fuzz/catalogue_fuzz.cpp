#include "catalogue_fuzz.h"

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "common/command_line.h"
#include "common/heap_bytes.h"
#include "platform/file_identity.h"
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
constexpr const char* kUserChoice =
    "Software\\Microsoft\\Windows\\Shell\\Associations\\UrlAssociations\\http\\UserChoice";
constexpr std::size_t kLongestText = 64 * 1024;
constexpr int kMostCalls = 8;

[[noreturn]] void broken(const std::string& what) {
  std::fprintf(stderr, "catalogue fuzz: %s\n", what.c_str());
  std::abort();
}

// The input read as a stream of choices; past its end every choice is 0.
class Choices {
 public:
  Choices(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
  std::uint32_t byte() { return at_ < size_ ? data_[at_++] : 0; }
  std::uint32_t below(std::uint32_t n) { return n ? (byte() | byte() << 8) % n : 0; }
  bool chance(std::uint32_t inN) { return below(inN) == 0; }
  bool done() const { return at_ >= size_; }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t at_ = 0;
};

// Pieces that paths, command lines and addresses are broken with.
const char* const kPieces[] = {
    "\\",         "\\\\",
    "\"",         "..",
    "\\..\\",     ".",
    " ",          "\t",
    "C:\\",       "D:\\",
    "work\\",     "src\\",
    "sub\\",      "loop\\",
    "notes.txt",  "a.txt",
    "*",          "?",
    "%",          "%22",
    ":",          "/",
    "\\\\?\\",    "explorer",
    "x",          "LONGNAME",
    "https://",   "www.example.com",
    "-switch",    "\x01",
    "\x1f",       "\x7f",
    "\x80",       "\xe9",
    "\xc9",       "\xff",
    "C:\\work\\", "C:\\Windows\\",
    "\r\n",       "=",
};

// A text without NUL: from empty to kLongestText bytes, of pieces, input bytes or repeats.
std::string text(Choices& in) {
  std::string out;
  switch (in.below(4)) {
    case 0: {  // pieces
      for (std::uint32_t n = in.below(12); n; --n) out += kPieces[in.below(std::size(kPieces))];
      break;
    }
    case 1: {  // the input's own bytes
      for (std::uint32_t n = in.below(40); n; --n) {
        char c = static_cast<char>(in.byte());
        out += c ? c : '\\';
      }
      break;
    }
    case 2: {  // a piece repeated to a length around a limit or up to the longest text
      static const std::size_t kLengths[] = {255, 259, 260, 261, 520, 4096, 32767, kLongestText};
      std::string piece = kPieces[in.below(std::size(kPieces))];
      std::size_t length =
          in.chance(2) ? kLengths[in.below(std::size(kLengths))] : in.below(kLongestText + 1);
      std::string prefix = in.chance(2) ? "C:\\work\\" : "";
      out = prefix;
      while (out.size() < length) out += piece;
      out.resize(length);
      break;
    }
    default:
      break;  // empty
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

// Operations whose failure the library must survive, blank-separated. Releasing calls are left
// alone: a refused CloseHandle leaves its handle open, as Windows does.
const char* const kFaultableNames =
    "HeapAlloc HeapReAlloc FindFirstFileA FindNextFileA CopyFileA MoveFileA DeleteFileA "
    "CreateDirectoryA GetFileAttributesA SetFileAttributesA GetCurrentDirectoryA "
    "SetCurrentDirectoryA CreateFileA GetFileInformationByHandle CreateProcessA ShellExecuteExA "
    "RegOpenKeyExA RegQueryValueExA GetEnvironmentStrings GetEnvironmentVariableA "
    "SetEnvironmentVariableA OpenClipboard GetClipboardData GlobalAlloc GlobalLock "
    "SetClipboardData EmptyClipboard SHGetSpecialFolderLocation SHGetPathFromIDListA "
    "GetWindowsDirectoryA GetVersionExA GetOpenFileNameA LoadLibraryA GetProcAddress "
    "SHBrowseForFolder SHGetPathFromIDList";
std::vector<std::string> words(const char* text) {
  std::vector<std::string> out;
  std::istringstream in(text);
  for (std::string word; in >> word;) out.push_back(word);
  return out;
}
const std::vector<std::string> kFaultable = words(kFaultableNames);
const platform::DWORD kErrors[] = {platform::kErrorAccessDenied, platform::kErrorNotEnoughMemory,
                                   platform::kErrorFileNotFound, platform::kErrorPathNotFound,
                                   platform::kErrorSharingViolation};

// Path arguments of the platform's file calls, by operation: the argument positions.
struct PathCall {
  const char* operation;
  std::vector<std::size_t> paths;
};
const PathCall kPathCalls[] = {
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
  // Programs planted in the current folder under names the library might look for.
  sim::addFile("C:\\work\\explorer.exe");
  sim::addFile("C:\\work\\www.example.com");
  sim::addFile(kExplorer);
  sim::addFile("C:\\tools\\app.exe");
  sim::addFile(kBrowser);
  sim::addFile("C:\\Windows\\System32\\handler.exe");
  for (const char* kind : {"http:", "https:", ".txt", "folder"})
    sim::associate(kind, "C:\\Windows\\System32\\handler.exe");
  if (!in.chance(4)) {
    sim::setRegistryText(platform::kHkeyCurrentUser, kUserChoice, "ProgID", "TestURL");
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

std::string upper(std::string s) {
  for (char& c : s)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return s;
}

// What a launching routine meant to start: the program and its arguments; empty for a routine
// that starts nothing of its own choosing.
struct Meant {
  bool any = false;
  std::optional<std::string> program;  // unset: the user named it
  std::vector<std::string> arguments;
  bool checkArguments = false;
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
      switch (in_.below(6)) {
        case 0:
          return std::nullopt;
        case 1:
          return std::to_string(static_cast<int>(in_.below(5)) - 1);
        case 2:
          return std::string("99999999999");
        default:
          return text(in_);
      }
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

    for (int calls = 1 + static_cast<int>(in_.below(kMostCalls)); calls && !in_.done(); --calls)
      callOne();
    runtime_ = nullptr;
  }

 private:
  quenda::ValueRef object(bool folder) {
    quenda::Result made = runtime_->newObject(folder ? "folder" : "file", text(in_));
    return made.ok() ? made.value : quenda::ValueRef();
  }

  quenda::ValueRef value(int depth = 0) {
    switch (in_.below(8)) {
      case 0:
      case 1:
      case 2:
        return runtime_->text(text(in_));
      case 3: {
        static const std::int32_t kNumbers[] = {0, 1, -1, 2, 255, 65536, INT32_MAX, INT32_MIN};
        return runtime_->number(kNumbers[in_.below(std::size(kNumbers))]);
      }
      case 4:
        return object(false);
      case 5:
        return object(true);
      case 6: {
        std::vector<quenda::ValueRef> elements;
        if (depth < 2)
          for (std::uint32_t n = in_.below(3); n; --n) elements.push_back(value(depth + 1));
        return runtime_->list(std::move(elements));
      }
      default:
        return runtime_->text("");
    }
  }

  void injectFaults() {
    sim::clearFaults();
    for (std::uint32_t n = in_.below(4); n; --n) {
      const std::string& operation = kFaultable[in_.below(kFaultable.size())];
      platform::DWORD error = kErrors[in_.below(std::size(kErrors))];
      if (in_.chance(16))
        sim::failAlways(operation, error);
      else
        sim::failCall(operation, 1 + static_cast<int>(in_.below(12)), error);
    }
  }

  void callOne() {
    const Routine& routine = kRoutines[in_.below(kRoutines.size())];
    quenda::ValueRef self = routine.member ? object(routine.folder) : quenda::ValueRef();
    std::vector<quenda::ValueRef> args;
    for (std::uint32_t n = in_.below(5); n; --n) args.push_back(value());

    Meant meant = meaning(routine, self, args);
    std::size_t startedBefore = sim::processes().size();
    std::string context = std::string(routine.name) + (routine.folder ? " (folder)" : "") +
                          " with " + std::to_string(args.size()) + " arguments";
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
    checkStarts(context, meant, startedBefore);
    // A scan of the environment keeps its snapshot of the block until the next scan.
    std::size_t kept = 0;
    if (routine.name.starts_with("env.") && !routine.member) {
      for (const std::string& entry : sim::environmentEntries()) kept += entry.size() + 1;
      kept += 16;
    }
    if (libraryBytes() > before + kept) broken(context + ": library memory left behind");
    std::string open = sim::openHandles();
    if (!open.empty()) broken(context + ": left open: " + open);
  }

  // What a call means to start, read from its arguments as the routine takes them.
  Meant meaning(const Routine& routine, const quenda::ValueRef& self,
                const std::vector<quenda::ValueRef>& args) {
    Meant m;
    std::string name = routine.name;
    if (routine.member && routine.folder && name == "exp") {
      m.any = true;
      m.program = kExplorer;
      m.arguments = {self ? self.objectPath() : ""};
      m.checkArguments = true;
    } else if (name == "web") {
      m.any = true;
      m.program = kBrowser;  // or the shell's handler, without a browser
      if (!args.empty() && args[0].is(quenda::Kind::Text)) {
        std::string encoded;
        for (char c : args[0].text()) encoded += c == '"' ? std::string("%22") : std::string(1, c);
        m.arguments = {encoded};
        m.checkArguments = true;
      }
    } else if (name == "run") {
      m.any = true;
      if (args.size() >= 2 && args[1].is(quenda::Kind::Object)) {
        m.arguments = {args[1].objectPath()};
        m.checkArguments = true;
      }
    }
    return m;
  }

  void checkPaths(const std::string& context) {
    for (const PathCall& pathCall : kPathCalls) {
      for (const sim::Call& call : sim::callsOf(pathCall.operation)) {
        for (std::size_t at : pathCall.paths) {
          if (at < call.args.size() && call.args[at] != "(null)" &&
              call.args[at].size() >= platform::kMaxPath) {
            broken(context + ": " + pathCall.operation + " was handed a path of " +
                   std::to_string(call.args[at].size()) + " characters");
          }
        }
      }
    }
  }

  void checkStarts(const std::string& context, const Meant& meant, std::size_t startedBefore) {
    const auto& started = sim::processes();
    if (!meant.any && started.size() != startedBefore) broken(context + ": started a program");
    for (std::size_t i = startedBefore; i < started.size(); ++i) {
      const sim::Process& p = started[i];
      // Only a program the user named may come from the current folder.
      if (upper(p.program).starts_with("C:\\WORK\\") && std::string(context).rfind("run", 0) != 0)
        broken(context + ": started " + p.program + " from the current folder");
      if (p.byShell) {
        if (!meant.checkArguments) continue;
        // The parameters the shell was given split into the meant arguments.
        auto shell = sim::callsOf("ShellExecuteExA");
        if (shell.empty()) broken(context + ": a shell start without a shell call");
        std::vector<std::string> got = splitCommandLine("x " + shell.back().args[5]);
        got.erase(got.begin());
        bool webWithoutBrowser = context.rfind("web", 0) == 0;
        if (!webWithoutBrowser && got != meant.arguments)
          broken(context + ": the shell was given other parameters than meant");
        continue;
      }
      if (meant.program && context.rfind("web", 0) != 0 && p.program != *meant.program)
        broken(context + ": started " + p.program + " instead of " + *meant.program);
      if (!meant.checkArguments) continue;
      std::vector<std::string> got = splitCommandLine(p.commandLine);
      got.erase(got.begin());
      if (got != meant.arguments)
        broken(context + ": the command line " + p.commandLine.substr(0, 200) +
               " splits into other arguments than meant");
    }
  }

  Choices& in_;
  quenda::Runtime* runtime_ = nullptr;
};

}  // namespace

int catalogueFuzzOneInput(const std::uint8_t* data, std::size_t size) {
  Choices in(data, size);
  prepareMachine(in);
  Session(in).run();
  sim::clearFaults();
  sim::reset();
  return 0;
}
