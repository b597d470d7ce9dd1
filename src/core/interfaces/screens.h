#pragma once

#include <cstdint>
#include <vector>

namespace tavorin {

// Positions and sizes in screen pixels, as click lines give them.
struct ScreenPoint {
  std::int32_t x = 0;
  std::int32_t y = 0;
  friend bool operator==(const ScreenPoint&, const ScreenPoint&) = default;
};

struct ScreenSize {
  std::int32_t width = 0;
  std::int32_t height = 0;
};

// A rectangle holding its left and top edges and the pixels up to, not
// including, left + width and top + height. Wide arithmetic: a screen may
// sit anywhere in the 32-bit desktop.
struct ScreenRect {
  std::int32_t left = 0;
  std::int32_t top = 0;
  std::int32_t width = 0;
  std::int32_t height = 0;

  std::int64_t Right() const { return std::int64_t{left} + width; }
  std::int64_t Bottom() const { return std::int64_t{top} + height; }
  bool Contains(ScreenPoint p) const {
    return p.x >= left && p.x < Right() && p.y >= top && p.y < Bottom();
  }
  friend bool operator==(const ScreenRect&, const ScreenRect&) = default;
};

// Where the desktop's screens are, in the pixels the input layer uses.
class ScreenLayout {
 public:
  virtual ~ScreenLayout() = default;
  // The primary screen first; empty when the desktop cannot say.
  virtual std::vector<ScreenRect> ScreenRects() const = 0;
};

}  // namespace tavorin
