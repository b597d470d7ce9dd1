#include "win32/dpi_scale.h"

#include <cmath>

#include "core/window/form1_control_table.h"
#include "win32/wide_text.h"

namespace tavorin {

DpiScale DpiOf(HWND window) {
  // Looked up at run time: older systems lack the per-window call.
  using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
  static const auto getDpiForWindow = reinterpret_cast<GetDpiForWindowFn>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
  if (getDpiForWindow != nullptr && window != nullptr) {
    const UINT dpi = getDpiForWindow(window);
    if (dpi != 0) return {static_cast<int>(dpi)};
  }
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  return {dpi > 0 ? dpi : USER_DEFAULT_SCREEN_DPI};
}

HFONT CreateUiFont(const DpiScale& scale, double points) {
  const int height = -static_cast<int>(std::lround(points * scale.dpi / 72));
  return CreateFontW(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, GB2312_CHARSET,
                     OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY,
                     DEFAULT_PITCH | FF_DONTCARE, Utf8ToWide(kUiFontFamily).c_str());
}

}  // namespace tavorin
