#include "core/interfaces/desktop_platform.h"

#include "platform/win32/win32_platform.h"

namespace tavorin {

std::unique_ptr<Platform> MakeDesktopPlatform() { return std::make_unique<Win32Platform>(); }

}  // namespace tavorin
