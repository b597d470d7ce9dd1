#pragma once

#include <QStyledItemDelegate>

namespace tavorin {

// Draws every row of a list as one line from the start of its text: a row
// longer than a few hundred characters is measured and drawn cut short with
// "…", so a line of a million characters shows as fast as a short one. A
// lone CR or LF shows as its picture (␍, ␊), as in the record editor, and
// never makes a row taller. The item's text itself is untouched.
class ShortLineDelegate : public QStyledItemDelegate {
 public:
  static constexpr int kShownCharacters = 256;

  using QStyledItemDelegate::QStyledItemDelegate;

 protected:
  void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;
};

}  // namespace tavorin
