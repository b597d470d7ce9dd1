#pragma once

#include <QString>
#include <QTimer>
#include <QWidget>

#include "core/interfaces/run_progress.h"

namespace tavorin {

// The progress badge of a run: a small window above every other, which the
// pointer passes through and which never takes the focus. Updates only keep
// the text and ask for a repaint; the drawing happens while the run pauses.
class RunBadge : public QWidget, public RunProgress {
  Q_OBJECT

 public:
  RunBadge();

  ScreenSize BadgeSize() const override;
  void Show(ScreenPoint topLeft, const std::u16string& stopHint) override;
  void SetPass(const std::u16string& text) override;
  void SetRecord(const std::u16string& text) override;
  void Hide() override;

  const QString& PassLine() const { return pass_; }
  const QString& RecordLine() const { return record_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QString pass_;
  QString record_;
  QString stopHint_;
  // A click that raises the target would bury the badge; it comes back up.
  QTimer keepOnTop_;
};

}  // namespace tavorin
