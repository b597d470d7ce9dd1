#include "win32/win32_message_boxes.h"

#include "win32/wide_text.h"

namespace tavorin {

MessageAnswer Win32MessageBoxes::Show(const std::u16string& text, const std::u16string& caption,
                                      MessageIcon icon, MessageButtons buttons,
                                      MessageAnswer defaultAnswer) {
  const bool yesNo = buttons == MessageButtons::kYesNo;
  UINT style = (icon == MessageIcon::kCritical ? MB_ICONERROR : MB_ICONINFORMATION) |
               (yesNo ? MB_YESNO : MB_OK) | MB_TOPMOST | MB_SETFOREGROUND;
  // No is the second button of a Yes/No box.
  if (yesNo && defaultAnswer == MessageAnswer::kNo) style |= MB_DEFBUTTON2;
  HWND owner = owner_ != nullptr && IsWindowVisible(owner_) ? owner_ : nullptr;
  if (owner == nullptr) style |= MB_TASKMODAL;
  const int answer =
      MessageBoxW(owner, ToWide(text).c_str(), ToWide(caption).c_str(), style);
  if (!yesNo) return MessageAnswer::kOk;
  return answer == IDYES ? MessageAnswer::kYes : MessageAnswer::kNo;
}

}  // namespace tavorin
