#include "qt/qt_label.h"

#include <QLabel>

namespace tavorin {

QtLabel::QtLabel(QLabel& label, bool sizedToText) : label_(label), sizedToText_(sizedToText) {}

std::u16string QtLabel::Caption() const { return label_.text().toStdU16String(); }

void QtLabel::SetCaption(const std::u16string& caption) {
  const QString text = QString::fromStdU16String(caption);
  if (label_.text() == text) return;  // refreshed ten times a second
  label_.setText(text);
  if (sizedToText_) {
    label_.resize(label_.sizeHint().width(), label_.height());
  }
}

}  // namespace tavorin
