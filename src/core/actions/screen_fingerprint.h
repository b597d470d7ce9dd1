#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tavorin {

// How a waited-for screen area is remembered: the area cut into nearly
// square cells, at most kMostFingerprintCells of them, each kept as its mean
// grey level from 0 to 63. Written as one character per cell, row by row,
// from the 64 characters A-Z a-z 0-9 - _, so an action line holding it stays
// short and plain ASCII.
inline constexpr int kMostFingerprintCells = 512;

struct FingerprintGrid {
  int columns = 0;
  int rows = 0;
};

// The cells for an area of `width` × `height` pixels (both at least 1).
FingerprintGrid GridFor(std::int32_t width, std::int32_t height);

// `pixels` are 0xRRGGBB, row by row, width × height of them.
std::vector<std::uint8_t> TakeFingerprint(const std::vector<std::uint32_t>& pixels, std::int32_t width,
                                          std::int32_t height);

std::u16string EncodeFingerprint(const std::vector<std::uint8_t>& cells);
// Empty unless the text holds exactly `cells` characters of the alphabet.
std::optional<std::vector<std::uint8_t>> DecodeFingerprint(std::u16string_view text, std::size_t cells);

// Whether what the screen shows now looks as it did when the line was made.
// A cell whose grey moved by at most 1 of 64 levels is the same (smoothed
// edges drawn a little differently). Other changed cells are forgiven only
// when they all fit in one narrow box, the size of a blinking caret or the
// pointer: at most 20 pixels (and a quarter of the area) wide and 40 high,
// or a single cell. A different page, text typed into or changed in a field,
// or a dialog over the area changes a wider stretch and does not match.
bool LooksAlike(const std::vector<std::uint8_t>& recorded, const std::vector<std::uint8_t>& seen, std::int32_t width,
                std::int32_t height);

}  // namespace tavorin
