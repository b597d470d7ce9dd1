#pragma once

#include <memory>

#include "core/interfaces/platform.h"

namespace tavorin {

// The input platform of this desktop, made on the first run.
std::unique_ptr<Platform> MakeDesktopPlatform();

}  // namespace tavorin
