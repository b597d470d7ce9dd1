#pragma once

#include <QRect>

namespace tavorin {

// The layout is designed in twips; at the standard 96 dots per inch fifteen
// of them make one pixel.
constexpr int kTwipsPerPixel = 15;

constexpr int TwipsToPixels(int twips) { return twips / kTwipsPerPixel; }

inline QRect TwipsRect(int left, int top, int width, int height) {
  return {TwipsToPixels(left), TwipsToPixels(top), TwipsToPixels(width), TwipsToPixels(height)};
}

}  // namespace tavorin
