#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

#include "core/interfaces/screens.h"

namespace tavorin {

// The pixels of `area` of what `source` shows, `area` given in the source's
// own coordinates, as 0xRRGGBB row by row from the top left; empty when the
// copy fails or the area is empty.
std::vector<std::uint32_t> CopyArea(HDC source, const ScreenRect& area);

// The same for the whole desktop, `area` in physical pixels of the virtual
// desktop (layered windows included); empty when any of it lies off every
// screen, since nothing shows there to compare.
std::vector<std::uint32_t> ReadDesktopArea(const ScreenRect& area);

}  // namespace tavorin
