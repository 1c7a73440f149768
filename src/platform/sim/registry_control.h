// The simulated registry and version information: tests set keys, values and the version.
#pragma once

#include <string>

#include "../registry.h"

namespace platform::sim {

// Sets a value under root\subkey (the key and its parents are made as needed; names compare
// case-insensitively). `bytes` are stored exactly as given, so a text value that Windows would
// hold with its terminating zero is written with "\0" at its end (setRegistryText does that).
void setRegistryValue(HKEY root, const std::string& subkey, const std::string& name,
                      const std::string& bytes, DWORD type = kRegSz);
void setRegistryText(HKEY root, const std::string& subkey, const std::string& name,
                     const std::string& text);
// Makes an empty key (with its parents).
void addRegistryKey(HKEY root, const std::string& subkey);
// Keys opened with RegOpenKeyExA and not yet closed.
int openRegistryKeys();

// What GetVersionExA reports. reset() restores NT 6.1, build 7601, workstation.
void setVersion(DWORD platformId, DWORD major, DWORD minor, unsigned char productType);

}  // namespace platform::sim
