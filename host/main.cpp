// quenda: the reference host. Loads the plug-in library and runs scripts or a prompt.
#include <string>
#include <vector>

#include "console/session.h"

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  return quenda::console::runQuenda(args);
}
