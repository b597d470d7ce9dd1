#include "core/actions/action_entry.h"

#include <string>

#include "core/actions/action_lines.h"
#include "core/interfaces/full_list.h"

namespace tavorin {

ActionEntry::ActionEntry(ListBox& actions, ActionEntryWindows& windows, WindowStacking& stacking,
                         MessageBoxes& messages)
    : actions_(actions), windows_(windows), stacking_(stacking), messages_(messages) {}

void ActionEntry::RunModal(void (ActionEntryWindows::*open)()) {
  stacking_.MakeNotTopmost(windows_.MainWindow());
  (windows_.*open)();
  stacking_.MakeTopmost(windows_.MainWindow());
}

void ActionEntry::AddAction(int index) {
  switch (index) {
    case 0:
      AppendOrSayFull(actions_, kActionListName, std::u16string(kCopyLine), messages_);
      break;
    case 1:
      AppendOrSayFull(actions_, kActionListName, std::u16string(kPasteLine), messages_);
      break;
    case 2:
      // The picker copies the screen without the main window on it.
      windows_.HideMainWindow();
      windows_.OpenPositionPickerSoon();
      break;
    case 3:
      RunModal(&ActionEntryWindows::RunKeyChordDialog);
      break;
    case 4:
      RunModal(&ActionEntryWindows::RunWaitDialog);
      break;
    case 5:
      RunModal(&ActionEntryWindows::RunInsertDialog);
      break;
    default:
      break;
  }
}

}  // namespace tavorin
