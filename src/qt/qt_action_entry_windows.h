#pragma once

#include "core/actions/action_entry.h"

namespace tavorin {

class Form1;

// The key, wait and insert dialogs and the position picker over the main
// window, as the six buttons that add an action open them.
class QtActionEntryWindows : public ActionEntryWindows {
 public:
  explicit QtActionEntryWindows(Form1& form) : form_(form) {}

  WindowHandle MainWindow() override;
  void HideMainWindow() override;
  void OpenPositionPickerSoon() override;
  void RunKeyChordDialog() override;
  void RunWaitDialog() override;
  void RunInsertDialog() override;

 private:
  Form1& form_;
};

// Copies the screen as it is now and opens the position picker over it; the
// main window must be hidden already.
void OpenPositionPicker(Form1& form);

}  // namespace tavorin
