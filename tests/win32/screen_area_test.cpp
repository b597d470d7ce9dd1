// Reading an area of what a device context shows, as screen waits compare it.

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "platform/win32/screen_area.h"

namespace tavorin {
namespace {

// Pixels set through GDI's own colour values (0x00BBGGRR) come back as
// 0xRRGGBB, top row first, from exactly the area asked for.
TEST(CopyAreaTest, GivesTheAreasPixelsAsRgbRowByRow) {
  HDC dc = CreateCompatibleDC(nullptr);
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), 5, -4, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  ASSERT_NE(bitmap, nullptr);
  HGDIOBJ previous = SelectObject(dc, bitmap);
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 5; ++x) SetPixel(dc, x, y, RGB(10 * x, 100 + y, 200));
  }
  SetPixel(dc, 1, 1, RGB(0xFF, 0, 0));
  SetPixel(dc, 3, 2, RGB(0, 0, 0xFF));
  EXPECT_EQ(CopyArea(dc, {1, 1, 3, 2}),
            (std::vector<std::uint32_t>{0xFF0000, 0x1465C8, 0x1E65C8, 0x0A66C8, 0x1466C8, 0x0000FF}));
  EXPECT_TRUE(CopyArea(dc, {1, 1, 0, 2}).empty());
  SelectObject(dc, previous);
  DeleteObject(bitmap);
  DeleteDC(dc);
}

}  // namespace
}  // namespace tavorin
