#include "qt/short_line_delegate.h"

namespace tavorin {

void ShortLineDelegate::initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const {
  QStyledItemDelegate::initStyleOption(option, index);
  QString& text = option->text;
  if (text.size() > kShownCharacters) {
    text.truncate(kShownCharacters);
    text += QChar(0x2026);
  }
  text.replace(QLatin1Char('\r'), QChar(0x240D));
  text.replace(QLatin1Char('\n'), QChar(0x240A));
}

}  // namespace tavorin
