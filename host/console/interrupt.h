// Ctrl+C for the whole program. It never ends the process: while a line is being typed it is a
// key of the line editor; otherwise it sets the flag that the language checks between steps.
#pragma once

#include <atomic>

#include "platform/types.h"

namespace quenda::console {

// Set by Ctrl+C while no line is being typed; its owner clears it.
std::atomic<bool>& interruptFlag();

// Registers the console control handler; true when the console took it.
bool catchInterrupts();

// While one lives, Ctrl+C is put into the console input as the key Ctrl+C (character 3), so a
// reader waiting for keys sees it even where the console reports it only to the handler.
class KeysBeingRead {
 public:
  explicit KeysBeingRead(platform::HANDLE input);
  ~KeysBeingRead();
  KeysBeingRead(const KeysBeingRead&) = delete;
  KeysBeingRead& operator=(const KeysBeingRead&) = delete;
};

}  // namespace quenda::console
