#include "qt/position_picker.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QStyleHints>
#include <QWindow>
#include <cmath>

#include "core/actions/action_lines.h"
#include "core/actions/screen_wait_line.h"
#include "core/interfaces/full_list.h"
#include "core/interfaces/list_box.h"
#include "core/interfaces/window_stacking.h"
#include "qt/qt_message_boxes.h"

namespace tavorin {
namespace {

const QString kHint = QStringLiteral("单击：添加点击位置　　拖出方框：添加等候画面（最多等 10 秒）　　Esc：取消");

// The frozen copy's pixels in `area` (device pixels from its top left) as
// 0xRRGGBB; empty when the copy does not hold the whole area.
std::vector<std::uint32_t> PixelsOf(const QPixmap& frozen, const QRect& area) {
  const QImage image = frozen.toImage().convertToFormat(QImage::Format_RGB32);
  if (!image.rect().contains(area)) return {};
  std::vector<std::uint32_t> pixels;
  pixels.reserve(std::size_t(area.width()) * area.height());
  for (int y = area.top(); y <= area.bottom(); ++y) {
    const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    for (int x = area.left(); x <= area.right(); ++x) pixels.push_back(row[x] & 0xFFFFFF);
  }
  return pixels;
}

}  // namespace

PositionPicker::PositionPicker(QWidget& mainWindow, ListBox& actions)
    : QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint),
      mainWindow_(mainWindow),
      actions_(actions) {
  setObjectName("Form2");
  setAttribute(Qt::WA_DeleteOnClose);
  setAttribute(Qt::WA_OpaquePaintEvent);

  QGuiApplication::setOverrideCursor(Qt::CrossCursor);
  crosshair_ = true;
  QScreen* screen = QGuiApplication::primaryScreen();
  // In device pixels, with the screen's pixel ratio: drawn at 0, 0 it covers
  // the screen pixel for pixel. A failed copy leaves the plain background.
  frozen_ = screen->grabWindow(0);
  setScreen(screen);
  setGeometry(screen->geometry());
  create();
  windowHandle()->installEventFilter(this);
  SystemWindowStacking().MakeTopmost(winId());
}

void PositionPicker::Open() {
  showFullScreen();
  raise();
  activateWindow();
}

void PositionPicker::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  painter.fillRect(event->rect(), palette().window());
  painter.drawPixmap(0, 0, frozen_);
  if (pressedAt_) {
    painter.setPen(QPen(palette().highlight(), 1));
    painter.setBrush(QColor(0, 120, 215, 40));
    painter.drawRect(QRectF(bandStart_, bandEnd_).normalized());
  }
  // Filled, not stroked: nothing is drawn outside HintArea at any scale.
  const QRect hint = HintArea();
  painter.fillRect(hint, palette().toolTipText());
  painter.fillRect(hint.adjusted(1, 1, -1, -1), palette().toolTipBase());
  painter.setPen(palette().toolTipText().color());
  painter.drawText(hint, Qt::AlignCenter, kHint);
}

// At the top, out of the way of most pickings; below when the pointer comes.
QRect PositionPicker::HintArea() const {
  const QSize size = fontMetrics().size(0, kHint) + QSize(24, 12);
  const int top = hintBelow_ ? height() - size.height() - 8 : 8;
  return QRect(QPoint((width() - size.width()) / 2, top), size);
}

// Mouse events are taken from the window, before Qt rounds their position
// to whole widget coordinates: at a pixel ratio of 2 that would lose every
// odd screen pixel.
bool PositionPicker::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  if (watched != windowHandle() ||
      (type != QEvent::MouseButtonPress && type != QEvent::MouseMove && type != QEvent::MouseButtonRelease)) {
    return false;
  }
  // A second press already queued before the window went must not add a
  // second line.
  if (closing_) return true;
  const auto& mouse = *static_cast<QMouseEvent*>(event);
  if (type == QEvent::MouseButtonPress) {
    PickPosition(mouse);
  } else if (type == QEvent::MouseButtonRelease) {
    if (pressedAt_ && mouse.button() == Qt::LeftButton) FinishPick(mouse);
  } else {
    const bool overHint = HintArea().contains(mouse.position().toPoint());
    if (overHint) hintBelow_ = !hintBelow_;
    if (pressedAt_) bandEnd_ = mouse.position();
    if (overHint || pressedAt_) update();
  }
  return true;
}

void PositionPicker::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape && !closing_) ClosePicker();
}

void PositionPicker::PickPosition(const QMouseEvent& event) {
  if (event.button() != Qt::LeftButton) {
    ClosePicker();
    return;
  }
  pressedAt_ = DevicePixel(event);
  bandStart_ = bandEnd_ = event.position();
}

// Click lines and waited-for areas hold true screen pixels. Qt scales
// positions by the screen's pixel ratio around the screen's top-left corner.
QPointF PositionPicker::DevicePixel(const QMouseEvent& event) const {
  const QScreen* on = screen();
  const QPointF origin = on->geometry().topLeft();
  return origin + (event.globalPosition() - origin) * on->devicePixelRatio();
}

// A release near the press is a click; farther away, the rectangle from the
// pressed pixel to the released one, both included, is waited for.
void PositionPicker::FinishPick(const QMouseEvent& event) {
  const QPointF from = *pressedAt_, to = DevicePixel(event);
  pressedAt_.reset();
  const double reach = QGuiApplication::styleHints()->startDragDistance() * screen()->devicePixelRatio();
  std::u16string line;
  if (std::abs(to.x() - from.x()) < reach && std::abs(to.y() - from.y()) < reach) {
    line = ClickLine(from.x(), from.y());
  } else {
    const QPoint a(std::floor(from.x()), std::floor(from.y())), b(std::floor(to.x()), std::floor(to.y()));
    const QRect area(QPoint(std::min(a.x(), b.x()), std::min(a.y(), b.y())),
                     QPoint(std::max(a.x(), b.x()), std::max(a.y(), b.y())));
    const QPoint origin = screen()->geometry().topLeft();
    const std::vector<std::uint32_t> pixels = PixelsOf(frozen_, area.translated(-origin));
    if (!pixels.empty()) {
      line = ScreenWaitLine({area.left(), area.top(), area.width(), area.height()}, pixels);
    }
  }
  ClosePicker();
  // Told over the main window, back in front by now; the picker is deleted
  // only after this returns to the event loop.
  QtMessageBoxes messages(&mainWindow_);
  if (line.empty()) {
    messages.ShowError(u"没有屏幕画面，无法添加等候画面。");
    return;
  }
  AppendOrSayFull(actions_, kActionListName, line, messages);
}

void PositionPicker::ClosePicker() { close(); }

// Every way of closing comes here, a close by the window system too, so the
// main window and the normal pointer always come back.
void PositionPicker::closeEvent(QCloseEvent* event) {
  closing_ = true;
  SystemWindowStacking().MakeNotTopmost(winId());
  SystemWindowStacking().MakeTopmost(mainWindow_.winId());
  mainWindow_.show();
  if (crosshair_) QGuiApplication::restoreOverrideCursor();
  crosshair_ = false;
  event->accept();
}

}  // namespace tavorin
