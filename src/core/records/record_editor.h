#pragma once

#include "core/interfaces/controls.h"
#include "core/interfaces/list_box.h"
#include "core/interfaces/message_boxes.h"

namespace tavorin {

// The record list List1, its editor Text6 and status label Label9. The widgets
// forward their events here; all rules about records live in this class.
class RecordEditor {
 public:
  static constexpr int kEnterKey = 13;
  static constexpr int kSeparatorKey = 108;

  RecordEditor(ListBox& records, TextBox& editor, Label& status, MessageBoxes& messages);

  // Shows the current record in the editor and gives it the focus.
  void LoadCurrentRecord();
  void OnEditorFocus();
  void OnEditorChange();
  // Called when a key goes down in the editor, before the editor handles it;
  // keyCode is the Windows virtual-key code. Returns true when the editor
  // must not handle the key: the keypad separator that added a record would
  // otherwise type its "," into the new one. Enter goes on to the editor,
  // whose line break the change reaction removes. On a full list the user is
  // told so and the separator is still kept out of the record.
  bool OnEditorKeyDown(int keyCode);
  // Runs on every tick of the 100 ms status timer.
  void RefreshRecordStatus();

 private:
  bool HasCurrentRecord() const;

  ListBox& records_;
  TextBox& editor_;
  Label& status_;
  MessageBoxes& messages_;
};

}  // namespace tavorin
