#pragma once

#include <cstdint>
#include <vector>

#include "core/interfaces/screens.h"

struct _XDisplay;

namespace tavorin {

// The pixels of `area` of the root window as 0xRRGGBB, row by row: one
// server-side image of just that area. Empty when the area is not wholly on
// the root window or the server refuses it.
std::vector<std::uint32_t> ReadRootArea(_XDisplay* display, const ScreenRect& area);

}  // namespace tavorin
