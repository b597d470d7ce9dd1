#include "qt/position_picker.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QWindow>

#include "core/actions/action_lines.h"
#include "core/interfaces/full_list.h"
#include "core/interfaces/list_box.h"
#include "core/interfaces/window_stacking.h"
#include "qt/qt_message_boxes.h"

namespace tavorin {

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
}

// Presses are taken from the window, before Qt rounds their position to
// whole widget coordinates: at a pixel ratio of 2 that would lose every odd
// screen pixel.
bool PositionPicker::eventFilter(QObject* watched, QEvent* event) {
  if (watched != windowHandle() || event->type() != QEvent::MouseButtonPress) return false;
  // A second press already queued before the window went must not add a
  // second line.
  if (!closing_) PickPosition(*static_cast<QMouseEvent*>(event));
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
  // Click lines hold true screen pixels. Qt scales positions by the
  // screen's pixel ratio around the screen's top-left corner.
  const QScreen* on = screen();
  const QPointF origin = on->geometry().topLeft();
  const QPointF pixel = origin + (event.globalPosition() - origin) * on->devicePixelRatio();
  const std::u16string line = ClickLine(pixel.x(), pixel.y());
  ClosePicker();
  // Told over the main window, back in front by now; the picker is deleted
  // only after this returns to the event loop.
  QtMessageBoxes messages(&mainWindow_);
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
