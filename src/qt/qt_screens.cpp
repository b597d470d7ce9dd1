#include "qt/qt_screens.h"

#include <QGuiApplication>
#include <QScreen>

namespace tavorin {
namespace {

// Qt keeps a screen's top-left corner in device pixels and divides only
// the distances inside the screen by its ratio.
ScreenRect DeviceRect(const QScreen& screen) {
  const QRect g = screen.geometry();
  const qreal ratio = screen.devicePixelRatio();
  return {g.x(), g.y(), qRound(g.width() * ratio), qRound(g.height() * ratio)};
}

}  // namespace

std::vector<ScreenRect> QtScreens::ScreenRects() const {
  std::vector<ScreenRect> rects;
  for (const QScreen* screen : QGuiApplication::screens()) rects.push_back(DeviceRect(*screen));
  return rects;
}

QPoint ToQtPosition(ScreenPoint p) {
  for (const QScreen* screen : QGuiApplication::screens()) {
    if (!DeviceRect(*screen).Contains(p)) continue;
    const QPoint origin = screen->geometry().topLeft();
    const qreal ratio = screen->devicePixelRatio();
    return origin + QPoint(qRound((p.x - origin.x()) / ratio), qRound((p.y - origin.y()) / ratio));
  }
  return {p.x, p.y};
}

}  // namespace tavorin
