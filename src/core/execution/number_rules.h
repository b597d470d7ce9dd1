#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tavorin {

// The numeric value of a typed text: blanks, tabs and line feeds are skipped
// wherever they stand; then an optional sign, digits with at most one ".", an
// optional exponent after E or e, or a whole number after &H (hex) or &O
// (octal). Reading stops at the first character that does not fit; a text
// without a number reads 0.
double ParseLeadingNumber(std::u16string_view text);

// Rounds to the nearest whole number, halves to the even neighbour. Empty when
// the result does not fit the target.
std::optional<std::int32_t> RoundToInt32(double value);
std::optional<std::uint8_t> RoundToUInt8(double value);
// Rounds the same way; a value past either end gives that end (NaN gives 0).
std::int32_t RoundClampedToInt32(double value);

// A pointer coordinate on a screen `extent` pixels wide (or high): a position
// past an edge is that edge, however far past it lies.
std::int32_t ClampToScreen(std::int32_t position, std::int32_t extent);

// A whole number in decimal, "-" for negatives.
std::u16string DecimalText(long long value);

}  // namespace tavorin
