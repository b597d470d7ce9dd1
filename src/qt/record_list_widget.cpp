#include "qt/record_list_widget.h"

namespace tavorin {

RecordListWidget::RecordListWidget(QWidget* parent) : QListWidget(parent) {
  connect(this, &QListWidget::clicked, this, [this](const QModelIndex& index) {
    chosenByClick_ = true;
    // A press on a row's check box toggles it without making the row
    // current; the click still chooses the row, or the editor would load
    // (and typing overwrite) the row that was current before.
    if (index.isValid() && index != currentIndex()) setCurrentIndex(index);
    emit rowChosen();
  });
}

void RecordListWidget::keyPressEvent(QKeyEvent* event) {
  const int before = currentRow();
  QListWidget::keyPressEvent(event);
  if (currentRow() != before && currentRow() >= 0) emit rowChosen();
}

void RecordListWidget::mousePressEvent(QMouseEvent* event) {
  rowAtPress_ = currentRow();
  QListWidget::mousePressEvent(event);
}

// A press on one row and a release on another makes the second current
// without a click.
void RecordListWidget::mouseReleaseEvent(QMouseEvent* event) {
  chosenByClick_ = false;
  QListWidget::mouseReleaseEvent(event);
  if (!chosenByClick_ && currentRow() != rowAtPress_ && currentRow() >= 0) emit rowChosen();
}

}  // namespace tavorin
