#pragma once

#include <QSize>
#include <QWidget>
#include <memory>
#include <optional>

#include <QPoint>

#include "core/window/form1_control_table.h"

class QTabWidget;
class QTimer;

namespace tavorin {

class Form1Controls;

// The main window: the tab strip, its four pages and the window's own
// behaviour (fixed outer size, always on top, closing). Every control is
// built from the shared control table; the logic reaches them through
// controls().
class Form1 : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kPageCount = kForm1PageCount;
  // Outer size including the window frame.
  static constexpr QSize kOuterSize{TwipsToPixels(kForm1OuterWidth),
                                    TwipsToPixels(kForm1OuterHeight)};

  explicit Form1(QWidget* parent = nullptr);
  ~Form1() override;

  Form1Controls& controls() { return *controls_; }
  QTabWidget& tabStrip() { return *tabStrip_; }
  QWidget& page(int index) { return *pages_[index]; }

  // Shows the page of the selected tab and hides the others.
  void SwitchPage();

 signals:
  // The user closed the window: the program's work is over.
  void closed();

 protected:
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;
  void moveEvent(QMoveEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void FitOuterSize();

  QTabWidget* tabStrip_ = nullptr;
  QWidget* pages_[kPageCount] = {};
  QTimer* timer1_ = nullptr;
  // Client-area position when the program last hid the window, and the
  // position still to be restored after showing it again.
  std::optional<QPoint> hiddenAt_;
  std::optional<QPoint> returnTo_;
  std::unique_ptr<Form1Controls> controls_;
};

}  // namespace tavorin
