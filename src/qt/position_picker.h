#pragma once

#include <QPixmap>
#include <optional>
#include <QWidget>

namespace tavorin {

class ListBox;

// Form2: a frozen copy of the primary screen laid over it. A left click
// appends the click line of the pressed position; a left-button drag appends
// a screen wait for the dragged rectangle, as the frozen copy shows it. Any
// other press, Esc, or a close by the window system closes it and brings the
// main window back.
class PositionPicker : public QWidget {
 public:
  // Copies the screen at once (CaptureScreen); the main window must already
  // be hidden. The picker deletes itself when closed.
  PositionPicker(QWidget& mainWindow, ListBox& actions);

  // Shows the picker over the whole primary screen, with the focus.
  void Open();

  const QPixmap& FrozenImage() const { return frozen_; }
  // Where the hint stands now, in widget coordinates.
  QRect HintArea() const;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void PickPosition(const QMouseEvent& event);
  void FinishPick(const QMouseEvent& event);
  QPointF DevicePixel(const QMouseEvent& event) const;
  void ClosePicker();

  QWidget& mainWindow_;
  ListBox& actions_;
  QPixmap frozen_;
  bool crosshair_ = false;
  bool closing_ = false;  // one opening appends at most one line
  // While the left button is down: where it went down, in device pixels and
  // in widget coordinates, and where the pointer is now.
  std::optional<QPointF> pressedAt_;
  QPointF bandStart_, bandEnd_;
  bool hintBelow_ = false;  // moved out of the pointer's way
};

}  // namespace tavorin
