#include "platform/win32/screen_area.h"

namespace tavorin {

std::vector<std::uint32_t> CopyArea(HDC source, const ScreenRect& area) {
  if (area.width <= 0 || area.height <= 0) return {};
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = area.width;
  info.bmiHeader.biHeight = -area.height;  // top row first
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(source, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (bitmap == nullptr) return {};
  HDC copy = CreateCompatibleDC(source);
  std::vector<std::uint32_t> pixels;
  if (copy != nullptr) {
    HGDIOBJ previous = SelectObject(copy, bitmap);
    if (BitBlt(copy, 0, 0, area.width, area.height, source, area.left, area.top, SRCCOPY | CAPTUREBLT)) {
      GdiFlush();
      // A 32-bit BI_RGB DIB holds each pixel as 0x00RRGGBB already; the
      // unused top byte is cleared in case a driver left something there.
      const auto* first = static_cast<const std::uint32_t*>(bits);
      pixels.assign(first, first + static_cast<std::size_t>(area.width) * static_cast<std::size_t>(area.height));
      for (std::uint32_t& pixel : pixels) pixel &= 0xFFFFFFu;
    }
    SelectObject(copy, previous);
    DeleteDC(copy);
  }
  DeleteObject(bitmap);
  return pixels;
}

std::vector<std::uint32_t> ReadDesktopArea(const ScreenRect& area) {
  const std::int64_t left = GetSystemMetrics(SM_XVIRTUALSCREEN);
  const std::int64_t top = GetSystemMetrics(SM_YVIRTUALSCREEN);
  const bool inside = area.left >= left && area.top >= top &&
                      area.Right() <= left + GetSystemMetrics(SM_CXVIRTUALSCREEN) &&
                      area.Bottom() <= top + GetSystemMetrics(SM_CYVIRTUALSCREEN);
  if (!inside) return {};
  HDC screen = GetDC(nullptr);
  if (screen == nullptr) return {};
  std::vector<std::uint32_t> pixels = CopyArea(screen, area);
  ReleaseDC(nullptr, screen);
  return pixels;
}

}  // namespace tavorin
