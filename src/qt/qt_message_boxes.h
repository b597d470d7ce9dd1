#pragma once

#include "core/interfaces/message_boxes.h"

class QWidget;

namespace tavorin {

// Message boxes as QMessageBox, owned by `parent` (may be null when the
// parent window is hidden, as during a run).
class QtMessageBoxes : public MessageBoxes {
 public:
  explicit QtMessageBoxes(QWidget* parent = nullptr) : parent_(parent) {}
  using MessageBoxes::Show;
  MessageAnswer Show(const std::u16string& text, const std::u16string& caption, MessageIcon icon,
                     MessageButtons buttons, MessageAnswer defaultAnswer) override;

 private:
  QWidget* parent_;
};

}  // namespace tavorin
