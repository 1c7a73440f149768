// The table of host slots shared by every runtime (the slots find the active runtime themselves).
#pragma once

namespace quenda {

// kSlotCount callable addresses, in slot order.
const void* const* hostSlotTable();
// Whether the slot does work (true for 0..13 and the slots the library uses).
bool slotImplemented(int slot);

}  // namespace quenda
