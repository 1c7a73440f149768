#include "link.h"

#include "plugin/calls.h"
#include "plugin/routines.h"

namespace zorvel {
namespace {

void beginLauncher(const char* name, TextVar& out) {
  out.assign("main\\").append(name).append("(){\r\n");
}

bool isNameCharacter(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' ||
         c == '\\';
}

using LauncherText = void (*)(const char* name, const char* target, TextVar& out);

// Takes the name and the target, checks them, and hands the definition to the host.
abi::word defineLauncher(LauncherText launcherText) {
  TextVar name;
  TextVar target;
  if (!takeTextArguments(name, target)) return argumentCountError(2);
  if (!isLauncherName(name.c_str()) || !isLauncherTarget(target.c_str()))
    return invalidArgumentsError();
  TextVar source;
  launcherText(name.c_str(), target.c_str(), source);
  host::runScript(source.c_str());
  return kNoResult;
}

}  // namespace

void linkLauncherText(const char* name, const char* program, TextVar& out) {
  beginLauncher(name, out);
  out.append("  if(args:count){run(\"")
      .append(program)
      .append("\",pop)}else{run(\"")
      .append(program)
      .append("\")}\r\n}");
}

void webLinkLauncherText(const char* name, const char* address, TextVar& out) {
  beginLauncher(name, out);
  out.append("  web(\"").append(address).append("\")\r\n}");
}

bool isLauncherName(const char* name) {
  if (!name || !*name) return false;
  for (const char* c = name; *c; ++c)
    if (!isNameCharacter(*c)) return false;
  return true;
}

bool isLauncherTarget(const char* target) {
  for (const char* c = target ? target : ""; *c; ++c)
    if (*c == '"' || *c == '\r' || *c == '\n') return false;
  return true;
}

// link(name, program): defines main\name, which runs the program.
ZV_ROUTINE(link) {
  return defineLauncher(&linkLauncherText);
}

// webLink(name, address): defines main\name, which opens the address in the browser.
ZV_ROUTINE(webLink) {
  return defineLauncher(&webLinkLauncherText);
}

}  // namespace zorvel
