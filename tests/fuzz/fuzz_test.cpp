// The fuzz target under a bounded random generator, for builds without libFuzzer: scripts made
// of the language's tokens and the library's names, and byte-level mutations of real scripts.
// QUENDA_FUZZ_RUNS and QUENDA_FUZZ_SEED change the count and the seed.
#include <gtest/gtest.h>

#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "lang_fuzz.h"

namespace {

const std::vector<std::string> kWords = {
    "dir",     "get",      "sel",     "set",       "up",     "down",  "desk", "env",
    "all",     "showAll",  "clip",    "file",      "folder", "f",     "d",    "t",
    "n",       "x",        "main",    "job",       "tick",   "run",   "web",  "link",
    "webLink", "standby",  "selFile", "selFolder", "print",  "help",  "exit", "pop",
    "args",    "count",    "if",      "else",      "return", "text",  "int",  "action",
    "refresh", "disabled", "name",    "ext",       "path",   "files", "copy", "rename",
    "rem",     "type",     "exp",     "_new",      "_set",   "_fSet", "_add", "_form",
    "_del"};

const std::vector<std::string> kSymbols = {
    "\\", ".", ":",  "(", ")",  "{",  "}",  ",",    ";", "=", "==", "!=", "+", "-", "*", "/",
    "%",  "<", ">=", "!", "&&", "||", "\n", "\r\n", " ", " ", " ",  "(",  ")", "{", "}"};

const std::vector<std::string> kLiterals = {"\"C:\\work\\\"",
                                            "\"notes.txt\"",
                                            "\"\"",
                                            "\"$cyan$x$n$\"",
                                            "\"C:\\work\\src\\\"",
                                            "\"..\"",
                                            "0",
                                            "1",
                                            "-1",
                                            "2",
                                            "2147483647",
                                            "-2147483648",
                                            "99999999999",
                                            "\"unterminated",
                                            "// comment\n",
                                            "\"\\lib\\\"",
                                            "\"C:\\Windows\\notepad.exe\""};

const std::vector<std::string> kSeeds = {
    "folder d = dir.get\nd + \"src\\\"\nd.files\n",
    "file f(\"C:\\work\\notes.txt\")\ntext t = f\nf.rename(\"n.txt\")\nprint(f.name, t)\n",
    "main\\greet(){ if(args:count){ print(pop) } else { print(\"none\") } }\ngreet\ngreet(1)\n",
    "job\\tick\\refresh = 0\njob\\tick\\action(){ print(\"tick\") }\nstandby\n",
    "link(\"np\", \"C:\\Windows\\notepad.exe\")\nnp\nnp(\"x\")\n",
    "f(n){ if(n > 0){ return f(n - 1) + 1 } return 0 }\nf(50)\n",
    "env.set(\"A\", \"b\")\nenv.get(\"A\")\nclip.set(\"x\")\nclip.get\nenv.all\n",
    "job\\r\\action(){ standby; standby }\nstandby\n",
    "help\nhelp(dir)\nhelp(\"file\")\n"};

std::uint64_t envNumber(const char* name, std::uint64_t fallback) {
  const char* value = std::getenv(name);
  return value && *value ? std::strtoull(value, nullptr, 10) : fallback;
}

std::string generated(std::mt19937& random) {
  std::string out;
  int tokens = std::uniform_int_distribution<int>(1, 60)(random);
  for (int i = 0; i < tokens; ++i) {
    int pick = std::uniform_int_distribution<int>(0, 9)(random);
    const std::vector<std::string>& from = pick < 4 ? kWords : pick < 8 ? kSymbols : kLiterals;
    out += from[std::uniform_int_distribution<std::size_t>(0, from.size() - 1)(random)];
    if (pick < 4 && std::uniform_int_distribution<int>(0, 2)(random) == 0) out += ' ';
  }
  return out;
}

std::string mutated(std::mt19937& random) {
  std::string out =
      kSeeds[std::uniform_int_distribution<std::size_t>(0, kSeeds.size() - 1)(random)];
  int edits = std::uniform_int_distribution<int>(1, 8)(random);
  for (int i = 0; i < edits && !out.empty(); ++i) {
    std::size_t at = std::uniform_int_distribution<std::size_t>(0, out.size() - 1)(random);
    switch (std::uniform_int_distribution<int>(0, 4)(random)) {
      case 0:
        out.erase(at, 1);
        break;
      case 1:
        out.insert(at, 1, static_cast<char>(random() & 0xff));
        break;
      case 2:
        out[at] = static_cast<char>(random() & 0xff);
        break;
      case 3:
        out.insert(at, out.substr(at, std::uniform_int_distribution<std::size_t>(1, 20)(random)));
        break;
      default:
        out.insert(at, kSymbols[random() % kSymbols.size()]);
        break;
    }
  }
  return out;
}

TEST(LangFuzz, BoundedRandomScriptsNeitherCrashNorHang) {
  const std::uint64_t runs = envNumber("QUENDA_FUZZ_RUNS", 400);
  const std::uint64_t seed = envNumber("QUENDA_FUZZ_SEED", 20240601);
  std::mt19937 random(static_cast<std::mt19937::result_type>(seed));
  for (const std::string& s : kSeeds) {
    LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(s.data()), s.size());
  }
  for (std::uint64_t i = 0; i < runs; ++i) {
    std::string input = (i % 2) ? generated(random) : mutated(random);
    SCOPED_TRACE("seed " + std::to_string(seed) + ", input " + std::to_string(i));
    LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(input.data()), input.size());
  }
}

TEST(LangFuzz, HugeAndDeepInputsAreRefusedCleanly) {
  std::vector<std::string> inputs = {std::string(100000, '('),
                                     std::string(100000, '{'),
                                     std::string(50000, '-') + "1",
                                     "x = " + std::string(200000, '9'),
                                     "\"" + std::string(300000, 'x') + "\"",
                                     std::string(1000, '\0'),
                                     "f(){ f }\nf",
                                     "f(){ f; f }\nf"};
  std::string chain = "x = 1";
  for (int i = 0; i < 5000; ++i) chain += "+1";
  inputs.push_back(chain);
  for (const std::string& input : inputs) {
    LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(input.data()), input.size());
  }
}

}  // namespace
