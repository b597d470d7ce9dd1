#pragma once

#include <windows.h>

namespace tavorin {

// The layout is designed in twips (1/1440 inch); a window's pixels follow the
// dots per inch of the monitor it is on.
struct DpiScale {
  int dpi = USER_DEFAULT_SCREEN_DPI;

  int Px(int twips) const { return MulDiv(twips, dpi, 1440); }
  RECT Rect(int left, int top, int width, int height) const {
    return {Px(left), Px(top), Px(left) + Px(width), Px(top) + Px(height)};
  }
};

// The window's dots per inch, or the system's where the call is missing.
DpiScale DpiOf(HWND window);

// The program's font family at the given size.
HFONT CreateUiFont(const DpiScale& scale, double points);

}  // namespace tavorin
