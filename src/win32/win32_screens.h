#pragma once

#include "core/interfaces/screens.h"

namespace tavorin {

// The desktop's monitors, whole (task bar included: a click may land there),
// in the physical pixels that the input layer's clicks use.
class Win32Screens : public ScreenLayout {
 public:
  std::vector<ScreenRect> ScreenRects() const override;
};

}  // namespace tavorin
