#include "qt/qt_text_box.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextCursor>

#include "qt/line_breaks.h"

namespace tavorin {

QtTextBox::QtTextBox(QLineEdit& edit) : widget_(edit), line_(&edit) {}

QtTextBox::QtTextBox(QPlainTextEdit& edit) : widget_(edit), plain_(&edit) {}

std::u16string QtTextBox::Text() const {
  if (line_ != nullptr) return line_->text().toStdU16String();
  return ToCrLf(plain_->toPlainText()).toStdU16String();
}

void QtTextBox::SetText(const std::u16string& text) {
  const QString value = QString::fromStdU16String(text);
  if (line_ != nullptr) {
    line_->setText(value);
  } else {
    // Like typing, this raises textChanged and with it the change reaction.
    plain_->setPlainText(FromCrLf(value));
  }
}

void QtTextBox::Select(int start, int length) {
  if (line_ != nullptr) {
    line_->setSelection(start, length);
    return;
  }
  const QString text = ToCrLf(plain_->toPlainText());
  QTextCursor cursor = plain_->textCursor();
  cursor.setPosition(EditorPosition(text, start));
  cursor.setPosition(EditorPosition(text, start + length), QTextCursor::KeepAnchor);
  plain_->setTextCursor(cursor);
}

bool QtTextBox::SetFocus() {
  if (!widget_.isEnabled() || !widget_.isVisible()) return false;
  widget_.setFocus(Qt::OtherFocusReason);
  return true;
}

bool QtTextBox::Enabled() const { return widget_.isEnabled(); }

void QtTextBox::SetEnabled(bool enabled) { widget_.setEnabled(enabled); }

}  // namespace tavorin
