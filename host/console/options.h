// The command line of quenda.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace quenda::console {

enum class Colour { kAuto, kAlways, kNever };

// One script to run, in command-line order: a file, or the text of an -e.
struct ScriptSource {
  bool isFile = false;
  std::string text;  // the file name, or the statements
};

struct Options {
  std::vector<ScriptSource> scripts;   // empty: the prompt, or standard input as a script
  std::optional<std::string> library;  // --lib PATH
  Colour colour = Colour::kAuto;
  bool help = false;
  bool version = false;
  std::string error;  // a usage error; the rest is then incomplete
};

Options parseOptions(const std::vector<std::string>& args);
const char* usageText();

}  // namespace quenda::console
