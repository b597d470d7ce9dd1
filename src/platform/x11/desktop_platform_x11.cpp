#include "core/interfaces/desktop_platform.h"

#include "platform/x11/x11_platform.h"

namespace tavorin {

std::unique_ptr<Platform> MakeDesktopPlatform() { return std::make_unique<X11Platform>(); }

}  // namespace tavorin
