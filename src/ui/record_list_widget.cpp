#include "ui/record_list_widget.h"

namespace tavorin {

RecordListWidget::RecordListWidget(QWidget* parent) : QListWidget(parent) {
  connect(this, &QListWidget::clicked, this, &RecordListWidget::rowChosen);
}

void RecordListWidget::keyPressEvent(QKeyEvent* event) {
  const int before = currentRow();
  QListWidget::keyPressEvent(event);
  if (currentRow() != before && currentRow() >= 0) emit rowChosen();
}

}  // namespace tavorin
