#include "find_browser_command.h"
#include "launch_program.h"
#include "quote_argument.h"
#include "plugin/calls.h"
#include "plugin/routines.h"
#include "text/joined_text.h"

namespace zorvel {
namespace {

// The address with every double quote written as %22, which means the same in an address and
// cannot close the quoted argument the browser receives. False when memory ran out.
bool encodeQuotes(const char* address, TextVar& out) {
  out.assign("");
  if (!out.present()) return false;
  for (const char* run = address; *run;) {
    const char* quote = run;
    while (*quote && *quote != '"') ++quote;
    std::size_t before = out.size();
    std::size_t length = static_cast<std::size_t>(quote - run);
    out.append(run, length);
    if (out.size() != before + length) return false;
    if (!*quote) break;
    out.append("%22");
    if (out.size() != before + length + 3) return false;
    run = quote + 1;
  }
  return true;
}

bool isSchemeCharacter(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '+' ||
         c == '-';
}

// An address the shell cannot mistake for a file of the current folder: one that names its
// scheme ("https:", "mailto:"; a drive letter is no scheme), or an absolute path.
bool namesItsPlace(const char* address) {
  bool letter =
      (address[0] >= 'a' && address[0] <= 'z') || (address[0] >= 'A' && address[0] <= 'Z');
  if (letter && address[1] == ':' && (address[2] == '\\' || address[2] == '/')) return true;
  if (address[0] == '\\' && address[1] == '\\') return true;
  std::size_t i = 0;
  while (isSchemeCharacter(address[i])) ++i;
  return letter && i >= 2 && address[i] == ':';
}

}  // namespace

// web(address): opens the address in the default browser, or starts the browser alone. When
// the registry names no browser, the address goes to the shell, which opens it with whatever
// handles it; it is never started as a program, and one without a scheme is taken as an http
// address, so a file named like the address in the current folder does not run. Without an
// address nothing is started then.
ZV_ROUTINE(web) {
  TextVar address;
  const bool hasAddress = host::nextArgText(address.cell());
  TextVar encoded;
  // The address given but not kept whole (memory ran out): nothing starts, rather than a
  // browser on a cut address.
  if (hasAddress && (!address.present() || !encodeQuotes(address.c_str(), encoded)))
    return kNoResult;

  TextVar browser;
  if (findBrowserCommand(browser) && !browser.empty()) {
    if (hasAddress) {
      TextVar parameters;
      if (!appendQuotedArgument(parameters, encoded.c_str())) return kNoResult;
      launchProgram(browser.c_str(), parameters.c_str(), "");
    } else {
      launchProgram(browser.c_str());
    }
  } else if (hasAddress) {
    // "www.example.com" would be found as a program of that name in the current folder: an
    // address without a scheme is a web address. The handler's command line quotes the address
    // as the browser's does, so it too gets no double quote.
    TextVar target;
    if (namesItsPlace(encoded.c_str())) {
      target.assign(encoded.c_str());
    } else if (!joinText(target, {"http://", encoded.c_str()})) {
      return kNoResult;
    }
    if (target.present()) openWithShell(target.c_str());
  }
  return kNoResult;
}

}  // namespace zorvel
