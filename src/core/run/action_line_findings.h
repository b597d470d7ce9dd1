#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tavorin {

// What one action line did when run without a real platform.
struct LineTrace {
  std::vector<std::u16string> messages;  // the error boxes it showed
  std::int64_t pausedMs = 0;
  std::vector<std::uint8_t> keysDown;  // in the order pressed
  std::vector<std::u16string> clipboardTexts;
};

// What is wrong with a line that opens with an action keyword, and what the
// run will do instead, in one sentence; nothing when the line does what it
// says.
std::optional<std::u16string> LineFinding(const std::u16string& line, const LineTrace& trace);

}  // namespace tavorin
