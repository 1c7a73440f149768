#include "find_browser_command.h"
#include "launch_program.h"
#include "plugin/calls.h"
#include "plugin/routines.h"

namespace zorvel {

// web(address): opens the address in the default browser, or starts the browser alone. When
// the registry names no browser, the address itself goes to launchProgram, whose shell step
// opens it with whatever handles it; without an address nothing is started then.
ZV_ROUTINE(web) {
  TextVar address;
  const bool hasAddress = host::nextArgText(address.cell());

  TextVar browser;
  if (findBrowserCommand(browser) && !browser.empty()) {
    if (hasAddress) {
      TextVar parameters("\"");
      parameters.append(address).append("\"");
      launchProgram(browser.c_str(), parameters.c_str(), "");
    } else {
      launchProgram(browser.c_str());
    }
  } else if (hasAddress) {
    launchProgram(address.c_str());
  }
  return kNoResult;
}

}  // namespace zorvel
