#include "qt/qt_list_box.h"

#include <QItemSelectionModel>
#include <QListWidget>

#include "qt/model_change_counter.h"
#include "qt/short_line_delegate.h"

namespace tavorin {

QtListBox::QtListBox(QListWidget& widget, Style style)
    : widget_(widget), style_(style), changes_(std::make_unique<ModelChangeCounter>(*widget.model())) {
  widget_.setSelectionMode(QAbstractItemView::SingleSelection);
  widget_.setSortingEnabled(false);
  widget_.setItemDelegate(new ShortLineDelegate(&widget_));
}

QtListBox::~QtListBox() = default;

bool QtListBox::Valid(int index) const { return index >= 0 && index < widget_.count(); }

int QtListBox::ListCount() const { return widget_.count(); }

int QtListBox::SelCount() const {
  if (style_ == Style::kPlain) return static_cast<int>(widget_.selectedItems().size());
  if (countedAt_ == changes_->Changes()) return checked_;
  int checked = 0;
  for (int i = 0; i < widget_.count(); ++i) {
    if (widget_.item(i)->checkState() == Qt::Checked) ++checked;
  }
  checked_ = checked;
  countedAt_ = changes_->Changes();
  return checked;
}

int QtListBox::ListIndex() const {
  const int row = widget_.currentRow();
  return Valid(row) && widget_.item(row)->isSelected() ? row : -1;
}

void QtListBox::ClearCurrent() {
  widget_.selectionModel()->clear();
}

void QtListBox::SetListIndex(int index) {
  if (!Valid(index)) {
    ClearCurrent();
    return;
  }
  widget_.setCurrentRow(index, QItemSelectionModel::ClearAndSelect);
}

std::u16string QtListBox::List(int index) const {
  return Valid(index) ? widget_.item(index)->text().toStdU16String() : std::u16string();
}

void QtListBox::SetList(int index, const std::u16string& text) {
  if (Valid(index)) widget_.item(index)->setText(QString::fromStdU16String(text));
}

bool QtListBox::Selected(int index) const {
  if (!Valid(index)) return false;
  const QListWidgetItem* item = widget_.item(index);
  return style_ == Style::kPlain ? item->isSelected() : item->checkState() == Qt::Checked;
}

void QtListBox::SetSelected(int index, bool flag) {
  if (!Valid(index)) return;
  if (style_ == Style::kCheckBoxes) {
    widget_.item(index)->setCheckState(flag ? Qt::Checked : Qt::Unchecked);
  } else if (flag) {
    // A plain list has one selected row, and that row is the highlighted one.
    SetListIndex(index);
  } else if (widget_.item(index)->isSelected()) {
    ClearCurrent();
  }
}

bool QtListBox::AddItem(const std::u16string& text) {
  if (widget_.count() >= kMaxListItems) return false;
  auto* item = new QListWidgetItem(QString::fromStdU16String(text));
  if (style_ == Style::kCheckBoxes) {
    item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
    item->setCheckState(Qt::Unchecked);
  }
  widget_.addItem(item);
  return true;
}

void QtListBox::RemoveItem(int index) {
  if (!Valid(index)) return;
  const bool wasCurrent = ListIndex() == index;
  delete widget_.takeItem(index);
  // Qt hands the current row on to a neighbour; here the removed row's
  // successor must not become the record being edited.
  if (wasCurrent) ClearCurrent();
}

void QtListBox::Clear() {
  widget_.clear();
  ClearCurrent();
}

}  // namespace tavorin
