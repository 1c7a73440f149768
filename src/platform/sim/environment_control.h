// The simulated environment block: tests set and read its entries.
#pragma once

#include <string>
#include <vector>

namespace platform::sim {

// Replaces the whole block with these strings, in this order ("name=value", per-drive entries
// such as "=C:=C:\\work", or anything else a block may hold). reset() restores a small default
// block that starts with "=C:=C:\\".
void setEnvironment(const std::vector<std::string>& entries);
// The block's strings in order.
std::vector<std::string> environmentEntries();
// Copies made by GetEnvironmentStrings and not yet released.
int liveEnvironmentBlocks();

}  // namespace platform::sim
