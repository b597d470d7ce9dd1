#pragma once

#include <windows.h>

#include "core/interfaces/message_boxes.h"

namespace tavorin {

// MessageBoxW over the main window while it shows; over nothing, and on top
// of everything, while a run has hidden it.
class Win32MessageBoxes : public MessageBoxes {
 public:
  explicit Win32MessageBoxes(HWND owner) : owner_(owner) {}

  using MessageBoxes::Show;
  MessageAnswer Show(const std::u16string& text, const std::u16string& caption, MessageIcon icon,
                     MessageButtons buttons, MessageAnswer defaultAnswer) override;

 private:
  HWND owner_;
};

}  // namespace tavorin
