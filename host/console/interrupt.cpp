#include "console/interrupt.h"

#include "platform/console.h"

namespace quenda::console {
namespace {

// The console input a line is being read from, or null. The handler runs on a thread of its own.
std::atomic<platform::HANDLE> reading{nullptr};

platform::BOOL ZV_STDCALL onControl(platform::DWORD event) {
  if (event != platform::kCtrlCEvent && event != platform::kCtrlBreakEvent) return platform::kFalse;
  platform::HANDLE input = reading.load();
  platform::INPUT_RECORD record{};
  record.EventType = platform::kKeyEvent;
  record.Event.KeyEvent.bKeyDown = platform::kTrue;
  record.Event.KeyEvent.wRepeatCount = 1;
  record.Event.KeyEvent.UnicodeChar = 3;
  platform::DWORD written = 0;
  if (!input || !platform::WriteConsoleInputW(input, &record, 1, &written) || written != 1) {
    interruptFlag() = true;
  }
  return platform::kTrue;
}

}  // namespace

std::atomic<bool>& interruptFlag() {
  static std::atomic<bool> flag{false};
  return flag;
}

bool catchInterrupts() {
  return platform::SetConsoleCtrlHandler(&onControl, platform::kTrue) != platform::kFalse;
}

KeysBeingRead::KeysBeingRead(platform::HANDLE input) {
  reading = input;
}

KeysBeingRead::~KeysBeingRead() {
  reading = nullptr;
}

}  // namespace quenda::console
