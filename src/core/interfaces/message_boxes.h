#pragma once

#include <string>

namespace tavorin {

enum class MessageIcon { kCritical, kInformation };
enum class MessageButtons { kOk, kYesNo };
enum class MessageAnswer { kOk, kYes, kNo };

// Modal message boxes as the logic asks for them. The call returns when the
// user has answered; closing a Yes/No box without an answer counts as No.
class MessageBoxes {
 public:
  virtual ~MessageBoxes() = default;
  // `defaultAnswer` names the button that Enter presses: kOk for an OK box,
  // kYes or kNo for a Yes/No box.
  virtual MessageAnswer Show(const std::u16string& text, const std::u16string& caption,
                             MessageIcon icon, MessageButtons buttons,
                             MessageAnswer defaultAnswer) = 0;

  // The usual default: Yes for a question, OK otherwise. (Implementations
  // bring it into scope with `using MessageBoxes::Show;`.)
  MessageAnswer Show(const std::u16string& text, const std::u16string& caption, MessageIcon icon,
                     MessageButtons buttons) {
    return Show(text, caption, icon, buttons,
                buttons == MessageButtons::kYesNo ? MessageAnswer::kYes : MessageAnswer::kOk);
  }

  // The program's error box: caption "错误", critical-stop icon, one OK button.
  void ShowError(const std::u16string& text) {
    Show(text, u"错误", MessageIcon::kCritical, MessageButtons::kOk);
  }
};

}  // namespace tavorin
