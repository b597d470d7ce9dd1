#pragma once

#include <QPoint>

#include "core/interfaces/screens.h"

namespace tavorin {

// The desktop's screens in device pixels, the pixels of the input layer and
// of click lines; Qt's own geometry is scaled by each screen's pixel ratio.
class QtScreens : public ScreenLayout {
 public:
  std::vector<ScreenRect> ScreenRects() const override;
};

// A device-pixel position as Qt's coordinates on the screen that holds it.
QPoint ToQtPosition(ScreenPoint devicePoint);

}  // namespace tavorin
