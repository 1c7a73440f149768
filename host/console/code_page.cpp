#include "console/code_page.h"

#include <algorithm>
#include <cstdlib>
#include <string>

#include "platform/code_page.h"

namespace quenda::console {
namespace {

platform::UINT savedInput = 0;
platform::UINT savedOutput = 0;

// WriteConsoleW takes a limited amount at once on older systems.
constexpr std::size_t kChunk = 8192;

}  // namespace

void restoreCodePages() {
  if (savedInput) platform::SetConsoleCP(savedInput);
  if (savedOutput) platform::SetConsoleOutputCP(savedOutput);
  savedInput = savedOutput = 0;
}

void useAnsiCodePageOnConsole() {
  platform::UINT ansi = platform::GetACP();
  platform::UINT input = platform::GetConsoleCP();
  platform::UINT output = platform::GetConsoleOutputCP();
  if (!input && !output) return;  // no console
  bool first = !savedInput && !savedOutput;
  if (input != ansi && platform::SetConsoleCP(ansi)) savedInput = input;
  if (output != ansi && platform::SetConsoleOutputCP(ansi)) savedOutput = output;
  if (first && (savedInput || savedOutput)) std::atexit(restoreCodePages);
}

bool writeConsoleText(platform::HANDLE handle, std::string_view text) {
  std::u16string wide;
  if (!text.empty()) {
    // Well within int: the host's lines are short, but a text of any length is cut in pieces.
    for (std::size_t at = 0; at < text.size();) {
      std::size_t piece = std::min<std::size_t>(text.size() - at, 1 << 20);
      // Never between the bytes of one UTF-8 character (a lead byte starts each piece).
      while (at + piece < text.size() && piece > 1 &&
             (static_cast<unsigned char>(text[at + piece]) & 0xC0) == 0x80)
        --piece;
      int units = platform::MultiByteToWideChar(platform::kCodePageAnsi, 0, text.data() + at,
                                                static_cast<int>(piece), nullptr, 0);
      if (units <= 0) return false;
      std::size_t end = wide.size();
      wide.resize(end + static_cast<std::size_t>(units));
      platform::MultiByteToWideChar(platform::kCodePageAnsi, 0, text.data() + at,
                                    static_cast<int>(piece), wide.data() + end, units);
      at += piece;
    }
  }
  std::size_t at = 0;
  do {
    std::size_t count = std::min(wide.size() - at, kChunk);
    // A surrogate pair stays together.
    if (at + count < wide.size() && count > 1 && wide[at + count - 1] >= 0xD800 &&
        wide[at + count - 1] < 0xDC00)
      --count;
    platform::DWORD written = 0;
    if (!platform::WriteConsoleW(handle, wide.data() + at, static_cast<platform::DWORD>(count),
                                 &written, nullptr))
      return at > 0;  // what was written stays: the rest is not written twice
    at += count;
  } while (at < wide.size());
  return true;
}

}  // namespace quenda::console
