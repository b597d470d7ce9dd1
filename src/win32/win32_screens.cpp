#include "win32/win32_screens.h"

#include <windows.h>

namespace tavorin {
namespace {

BOOL CALLBACK AddMonitor(HMONITOR monitor, HDC, RECT*, LPARAM data) {
  MONITORINFO info{};
  info.cbSize = sizeof info;
  if (!GetMonitorInfoW(monitor, &info)) return TRUE;
  auto& rects = *reinterpret_cast<std::vector<ScreenRect>*>(data);
  const RECT& r = info.rcMonitor;
  const ScreenRect rect{r.left, r.top, r.right - r.left, r.bottom - r.top};
  if (info.dwFlags & MONITORINFOF_PRIMARY) {
    rects.insert(rects.begin(), rect);
  } else {
    rects.push_back(rect);
  }
  return TRUE;
}

}  // namespace

// The program is per-monitor aware (its manifest says so), so the system
// reports monitors unscaled, as GetCursorPos and SendInput count.
std::vector<ScreenRect> Win32Screens::ScreenRects() const {
  std::vector<ScreenRect> rects;
  EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&rects));
  return rects;
}

}  // namespace tavorin
