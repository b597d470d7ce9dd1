#include "win32/desktop_platform.h"

#include <stdexcept>

namespace tavorin {

// Until the Win32 input layer is linked in, a run says so instead of
// pretending to type.
std::unique_ptr<Platform> MakeDesktopPlatform() {
  throw std::runtime_error("this build has no Windows input layer");
}

}  // namespace tavorin
