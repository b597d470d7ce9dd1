#include "core/actions/screen_fingerprint.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace tavorin {
namespace {

constexpr std::u16string_view kAlphabet = u"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-_";
constexpr int kLevels = 64;
constexpr int kSameWithin = 1;
constexpr std::int64_t kMarkWidth = 20;
constexpr std::int64_t kMarkHeight = 40;

std::int64_t CeilDiv(std::int64_t a, std::int64_t b) { return (a + b - 1) / b; }

// The first pixel of cell `index` of `count` along `extent` pixels: cells
// share the extent evenly, so none is a sliver.
std::int64_t Edge(std::int64_t index, std::int64_t count, std::int64_t extent) { return index * extent / count; }

}  // namespace

FingerprintGrid GridFor(std::int32_t width, std::int32_t height) {
  const std::int64_t w = std::max(width, 1), h = std::max(height, 1);
  auto side = std::max<std::int64_t>(1, static_cast<std::int64_t>(std::sqrt(double(w) * h / kMostFingerprintCells)));
  while (CeilDiv(w, side) * CeilDiv(h, side) > kMostFingerprintCells) ++side;
  return {static_cast<int>(CeilDiv(w, side)), static_cast<int>(CeilDiv(h, side))};
}

std::vector<std::uint8_t> TakeFingerprint(const std::vector<std::uint32_t>& pixels, std::int32_t width,
                                          std::int32_t height) {
  if (width < 1 || height < 1 || pixels.size() != std::size_t(width) * std::size_t(height)) return {};
  const FingerprintGrid grid = GridFor(width, height);
  std::vector<std::uint64_t> sums(std::size_t(grid.columns) * grid.rows, 0);
  std::vector<std::uint64_t> counts(sums.size(), 0);
  // Which column each pixel of a row falls in, worked out once.
  std::vector<int> columnOf(static_cast<std::size_t>(width));
  for (int c = 0; c < grid.columns; ++c) {
    for (auto x = Edge(c, grid.columns, width); x < Edge(c + 1, grid.columns, width); ++x) columnOf[x] = c;
  }
  for (int r = 0; r < grid.rows; ++r) {
    for (auto y = Edge(r, grid.rows, height); y < Edge(r + 1, grid.rows, height); ++y) {
      const std::uint32_t* row = pixels.data() + y * width;
      for (std::int32_t x = 0; x < width; ++x) {
        const std::uint32_t p = row[x];
        // Luma weights of ITU-R BT.601, in thousandths.
        const std::size_t cell = std::size_t(r) * grid.columns + columnOf[x];
        sums[cell] += 299 * ((p >> 16) & 0xFF) + 587 * ((p >> 8) & 0xFF) + 114 * (p & 0xFF);
        ++counts[cell];
      }
    }
  }
  std::vector<std::uint8_t> cells(sums.size());
  for (std::size_t i = 0; i < cells.size(); ++i) {
    const std::uint64_t scale = counts[i] * 255000;
    cells[i] = static_cast<std::uint8_t>((sums[i] * (kLevels - 1) + scale / 2) / scale);
  }
  return cells;
}

std::u16string EncodeFingerprint(const std::vector<std::uint8_t>& cells) {
  std::u16string text;
  text.reserve(cells.size());
  for (const std::uint8_t level : cells) text += kAlphabet[level & (kLevels - 1)];
  return text;
}

std::optional<std::vector<std::uint8_t>> DecodeFingerprint(std::u16string_view text, std::size_t cells) {
  if (text.size() != cells) return std::nullopt;
  std::vector<std::uint8_t> levels;
  levels.reserve(cells);
  for (const char16_t c : text) {
    const std::size_t level = kAlphabet.find(c);
    if (level == std::u16string_view::npos) return std::nullopt;
    levels.push_back(static_cast<std::uint8_t>(level));
  }
  return levels;
}

bool LooksAlike(const std::vector<std::uint8_t>& recorded, const std::vector<std::uint8_t>& seen, std::int32_t width,
                std::int32_t height) {
  const FingerprintGrid grid = GridFor(width, height);
  const std::size_t cellCount = std::size_t(grid.columns) * grid.rows;
  if (recorded.size() != cellCount || seen.size() != cellCount) return false;
  int left = grid.columns, right = -1, top = grid.rows, bottom = -1;
  for (int r = 0; r < grid.rows; ++r) {
    for (int c = 0; c < grid.columns; ++c) {
      const std::size_t i = std::size_t(r) * grid.columns + c;
      if (std::abs(int(recorded[i]) - int(seen[i])) <= kSameWithin) continue;
      left = std::min(left, c), right = std::max(right, c);
      top = std::min(top, r), bottom = std::max(bottom, r);
    }
  }
  if (right < 0) return true;
  const bool oneColumn = left == right, oneRow = top == bottom;
  const std::int64_t boxWidth = Edge(right + 1, grid.columns, width) - Edge(left, grid.columns, width);
  const std::int64_t boxHeight = Edge(bottom + 1, grid.rows, height) - Edge(top, grid.rows, height);
  const bool narrow = oneColumn || boxWidth <= std::min<std::int64_t>(kMarkWidth, std::max(width / 4, 1));
  const bool short_ = oneRow || boxHeight <= kMarkHeight;
  return narrow && short_;
}

}  // namespace tavorin
