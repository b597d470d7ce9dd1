#include "ui/qt_message_boxes.h"

#include <QMessageBox>

namespace tavorin {

MessageAnswer QtMessageBoxes::Show(const std::u16string& text, const std::u16string& caption,
                                   MessageIcon icon, MessageButtons buttons) {
  const bool yesNo = buttons == MessageButtons::kYesNo;
  QMessageBox box(icon == MessageIcon::kCritical ? QMessageBox::Critical : QMessageBox::Information,
                  QString::fromStdU16String(caption), QString::fromStdU16String(text),
                  yesNo ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok,
                  parent_ != nullptr && parent_->isVisible() ? parent_ : nullptr);
  // A box of a hidden window would not come to the front on its own.
  box.setWindowFlag(Qt::WindowStaysOnTopHint);
  if (yesNo) box.setDefaultButton(QMessageBox::Yes);
  const int answer = box.exec();
  if (!yesNo) return MessageAnswer::kOk;
  return answer == QMessageBox::Yes ? MessageAnswer::kYes : MessageAnswer::kNo;
}

}  // namespace tavorin
