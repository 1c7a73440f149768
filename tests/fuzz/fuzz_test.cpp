// The language's fuzz target under a bounded random generator, for builds without libFuzzer:
// huge and deep inputs, scripts made of the language's tokens and the library's names, and
// byte-level mutations of real scripts. QUENDA_FUZZ_RUNS and QUENDA_FUZZ_SEED change the count
// and the seed.
#include <gtest/gtest.h>

#include <cstdlib>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "lang_fuzz.h"

namespace {

// The library's names and the language's words, blank-separated.
const char* const kWords =
    "dir env clip main job tick file folder f d t sel set get up down all showAll run web link "
    "webLink standby selFile selFolder print help exit pop args count if else return text int "
    "action refresh disabled name ext path files copy rename rem type exp _new _set _fSet _add";
const std::vector<std::string> kSymbols = {
    "\\", ".", ":",  "(", ")",  "{",  "}",  ",",    ";", "=", "==", "!=", "+", "-", "*", "/",
    "%",  "<", ">=", "!", "&&", "||", "\n", "\r\n", " ", " ", " ",  "(",  ")", "{", "}"};
const std::vector<std::string> kLiterals = {"\"C:\\work\\\"",
                                            "\"notes.txt\"",
                                            "\"\"",
                                            "\"$cyan$x$n$\"",
                                            "0",
                                            "-1",
                                            "2147483647",
                                            "-2147483648",
                                            "99999999999",
                                            "\"unterminated",
                                            "// comment\n",
                                            "\"\\lib\\\""};

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

void fuzz(const std::string& input) {
  LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(input.data()), input.size());
}

TEST(LangFuzz, HugeAndDeepInputsAreRefusedCleanly) {
  std::string chain = "x = 1";
  for (int i = 0; i < 5000; ++i) chain += "+1";
  for (const std::string& input :
       {std::string(100000, '('), std::string(100000, '{'), std::string(50000, '-') + "1",
        "x = " + std::string(200000, '9'), "\"" + std::string(300000, 'x') + "\"",
        std::string(1000, '\0'), std::string("f(){ f }\nf"), std::string("f(){ f; f }\nf"), chain})
    fuzz(input);
}

TEST(LangFuzz, BoundedRandomScriptsNeitherCrashNorHang) {
  const char* runs = std::getenv("QUENDA_FUZZ_RUNS");
  const char* seed = std::getenv("QUENDA_FUZZ_SEED");
  std::mt19937 random(seed ? std::strtoul(seed, nullptr, 10) : 20240601);
  auto below = [&](std::size_t n) {
    return std::uniform_int_distribution<std::size_t>(0, n - 1)(random);
  };
  std::vector<std::string> words;
  std::istringstream in(kWords);
  for (std::string word; in >> word;) words.push_back(word);
  for (const std::string& s : kSeeds) fuzz(s);
  for (unsigned long i = 0, n = runs ? std::strtoul(runs, nullptr, 10) : 400; i < n; ++i) {
    SCOPED_TRACE("input " + std::to_string(i));
    std::string input;
    if (i % 2) {  // words (some with a blank behind), symbols and literals
      for (std::size_t t = 1 + below(60); t; --t) {
        std::size_t pick = below(10);
        const auto& from = pick < 4 ? words : pick < 8 ? kSymbols : kLiterals;
        input += from[below(from.size())] + (pick < 4 && below(3) == 0 ? " " : "");
      }
      fuzz(input);
      continue;
    }
    // A seed with bytes erased, inserted, replaced or repeated.
    input = kSeeds[below(kSeeds.size())];
    for (std::size_t edits = 1 + below(8); edits && !input.empty(); --edits) {
      std::size_t at = below(input.size());
      switch (below(4)) {
        case 0:
          input.erase(at, 1);
          break;
        case 1:
          input.insert(at, 1, static_cast<char>(random() & 0xff));
          break;
        case 2:
          input[at] = static_cast<char>(random() & 0xff);
          break;
        default:
          input.insert(at, input.substr(at, 1 + below(20)));
          break;
      }
    }
    fuzz(input);
  }
}

}  // namespace
