#include "console/options.h"

namespace quenda::console {

const char* usageText() {
  return "usage: quenda [--lib PATH] [--color=auto|always|never] [-e STATEMENTS | FILE]...\n"
         "  no script        a prompt on a console; standard input that is not a console is run\n"
         "                   as a script\n"
         "  FILE             runs the script file (several run in order)\n"
         "  -e STATEMENTS    runs the statements\n"
         "  --lib PATH       loads the library from PATH instead of zorvel.dll beside quenda\n"
         "  --color=WHEN     colours the output: auto (on a console), always or never\n"
         "  --help, --version\n";
}

Options parseOptions(const std::vector<std::string>& args) {
  Options options;
  bool onlyFiles = false;  // after "--" every argument is a file
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (onlyFiles || arg.empty() || arg[0] != '-' || arg == "-") {
      options.scripts.push_back({true, arg});
    } else if (arg == "--") {
      onlyFiles = true;
    } else if (arg == "-e" || arg == "--lib") {
      if (i + 1 >= args.size()) {
        options.error = arg + " needs an argument";
        return options;
      }
      if (arg == "-e") {
        options.scripts.push_back({false, args[++i]});
      } else {
        options.library = args[++i];
      }
    } else if (arg.rfind("--lib=", 0) == 0) {
      options.library = arg.substr(6);
    } else if (arg == "--color=auto" || arg == "--colour=auto") {
      options.colour = Colour::kAuto;
    } else if (arg == "--color=always" || arg == "--colour=always" || arg == "--color") {
      options.colour = Colour::kAlways;
    } else if (arg == "--color=never" || arg == "--colour=never" || arg == "--no-color") {
      options.colour = Colour::kNever;
    } else if (arg == "--help" || arg == "-h" || arg == "/?") {
      options.help = true;
    } else if (arg == "--version") {
      options.version = true;
    } else {
      options.error = "unknown option '" + arg + "'";
      return options;
    }
  }
  if (options.library && options.library->empty()) options.error = "--lib needs a path";
  return options;
}

}  // namespace quenda::console
