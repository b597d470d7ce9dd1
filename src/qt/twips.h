#pragma once

#include <QRect>

#include "core/window/form1_control_table.h"

namespace tavorin {

inline QRect TwipsRect(int left, int top, int width, int height) {
  return {TwipsToPixels(left), TwipsToPixels(top), TwipsToPixels(width), TwipsToPixels(height)};
}

inline QRect TwipsRect(const TwipRect& rect) {
  return TwipsRect(rect.left, rect.top, rect.width, rect.height);
}

}  // namespace tavorin
