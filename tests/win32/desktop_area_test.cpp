// Reading areas of the Wine desktop, on a display.

#include <gtest/gtest.h>

#include <cstdint>

#include "platform/win32/screen_area.h"

namespace tavorin {
namespace {

// The whole virtual desktop can be read, its edge pixels too; an area
// reaching one pixel past any edge shows nothing there to compare.
TEST(ReadDesktopAreaTest, ReadsUpToEachEdgeOfTheVirtualDesktopAndNothingPast) {
  const std::int32_t left = GetSystemMetrics(SM_XVIRTUALSCREEN), top = GetSystemMetrics(SM_YVIRTUALSCREEN);
  const std::int32_t width = GetSystemMetrics(SM_CXVIRTUALSCREEN), height = GetSystemMetrics(SM_CYVIRTUALSCREEN);
  ASSERT_GT(width, 2);
  EXPECT_EQ(ReadDesktopArea({left, top, width, height}).size(), std::size_t(width) * std::size_t(height));
  for (const ScreenRect past : {ScreenRect{left - 1, top, 2, 2}, ScreenRect{left, top - 1, 2, 2},
                                ScreenRect{left + width - 1, top, 2, 2}, ScreenRect{left, top + height - 1, 2, 2}}) {
    EXPECT_TRUE(ReadDesktopArea(past).empty()) << past.left << " " << past.top;
  }
}

}  // namespace
}  // namespace tavorin
