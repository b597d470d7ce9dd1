#pragma once

#include <QListWidget>

namespace tavorin {

// The record list. Besides a mouse click, moving the highlight with the
// keyboard or by dragging over the rows also counts as choosing a row, so
// the editor never shows one record while another is current. Rows changed
// by program code do not.
class RecordListWidget : public QListWidget {
  Q_OBJECT

 public:
  explicit RecordListWidget(QWidget* parent = nullptr);

 signals:
  void rowChosen();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  int rowAtPress_ = -1;
  bool chosenByClick_ = false;
};

}  // namespace tavorin
