#include "qt/qt_message_boxes.h"

#include <QMessageBox>

namespace tavorin {

MessageAnswer QtMessageBoxes::Show(const std::u16string& text, const std::u16string& caption,
                                   MessageIcon icon, MessageButtons buttons,
                                   MessageAnswer defaultAnswer) {
  const bool yesNo = buttons == MessageButtons::kYesNo;
  // The texts break lines with CR LF; a label would show the CR.
  QString shown = QString::fromStdU16String(text);
  shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  QMessageBox box(icon == MessageIcon::kCritical ? QMessageBox::Critical : QMessageBox::Information,
                  QString::fromStdU16String(caption), shown,
                  yesNo ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok,
                  parent_ != nullptr && parent_->isVisible() ? parent_ : nullptr);
  // A box of a hidden window would not come to the front on its own.
  box.setWindowFlag(Qt::WindowStaysOnTopHint);
  if (yesNo) {
    box.setDefaultButton(defaultAnswer == MessageAnswer::kNo ? QMessageBox::No : QMessageBox::Yes);
  }
  const int answer = box.exec();
  if (!yesNo) return MessageAnswer::kOk;
  return answer == QMessageBox::Yes ? MessageAnswer::kYes : MessageAnswer::kNo;
}

}  // namespace tavorin
