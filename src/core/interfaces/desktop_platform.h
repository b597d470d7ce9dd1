#pragma once

#include <memory>
#include <string_view>

#include "core/interfaces/platform.h"

namespace tavorin {

// The input platform of this desktop, made on the first run; each platform
// layer provides it. Throws std::runtime_error when input cannot be
// simulated here (no display, no input extension).
std::unique_ptr<Platform> MakeDesktopPlatform();

// What the user is told, before the reason, when that fails.
inline constexpr std::u16string_view kNoInputSimulationMessage = u"无法模拟鼠标和键盘：";

}  // namespace tavorin
