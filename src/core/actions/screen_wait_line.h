#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/interfaces/screens.h"

namespace tavorin {

// "等候画面 X Y W H T DATA": wait until the area X, Y, W × H (screen pixels,
// as click lines give them) looks as DATA remembers it, for at most T
// seconds. DATA is the area's fingerprint (see screen_fingerprint.h).
inline constexpr std::u16string_view kScreenWaitKeyword = u"等候画面";
inline constexpr char16_t kDefaultScreenWaitSeconds[] = u"10";

struct ScreenWait {
  ScreenRect area;
  std::u16string secondsText;  // as the line writes it, for messages
  double seconds = 0;
  std::vector<std::uint8_t> fingerprint;
};

// The wait a line asks for, or what is wrong with it, worded for the user.
struct ScreenWaitReading {
  std::optional<ScreenWait> wait;
  std::u16string problem;
};

ScreenWaitReading ReadScreenWaitLine(std::u16string_view line);

// The line for `area` as `pixels` (0xRRGGBB, row by row) show it now.
std::u16string ScreenWaitLine(const ScreenRect& area, const std::vector<std::uint32_t>& pixels,
                              std::u16string_view seconds = kDefaultScreenWaitSeconds);

}  // namespace tavorin
