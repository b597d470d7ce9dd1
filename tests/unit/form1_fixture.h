#pragma once

#include <gtest/gtest.h>

#include "core/interfaces/memory_list_box.h"
#include "core/window/form1_flows.h"
#include "fake_controls.h"
#include "fake_file_dialogs.h"
#include "fake_message_boxes.h"
#include "logging_windows.h"
#include "recording_platform.h"
#include "temp_folder.h"

namespace tavorin::testing {

// The main window's controls in memory with every flow behind them, reached
// as a front end reaches them: buttons by design name. Command14 is "新增",
// Command15 "删除", Command11/12 "全选"/"全不选", Command5/13 import and
// export records, Command8/9/10 import, export and clear actions, Command1-4
// add, delete, clear and edit a replacement pair, Command6(0-5) the action
// buttons.
class Form1Test : public ::testing::Test {
 protected:
  Form1Test() { text6.onChange = [this] { flows.recordEditor().OnEditorChange(); }; }

  // A click on a record's row: it becomes current and loads into the editor.
  void ClickRecord(int row) {
    list1.SetListIndex(row);
    flows.recordEditor().LoadCurrentRecord();
  }
  // A key in the editor as the real one sees it: the reaction first, then
  // the line break the editor inserts itself; the keypad separator types ","
  // unless the reaction used it up.
  void PressInEditor(int key) {
    if (!flows.recordEditor().OnEditorKeyDown(key)) {
      text6.Type(text6.Text() + (key == RecordEditor::kEnterKey ? u"\r\n" : u","));
    }
  }

  // The record list in one line: its items, "*" before a checked one, each
  // ended by "|", then the current row and the editor's text.
  std::string Records() const {
    std::u16string items;
    for (int i = 0; i < list1.ListCount(); ++i) items += (list1.Selected(i) ? u"*" : u"") + list1.List(i) + u"|";
    return ToUtf8(items) + " current " + std::to_string(list1.ListIndex()) + " editor " + ToUtf8(text6.Text());
  }

  TempFolder folder;
  WindowLog log;
  MemoryListBox list1, list2, list3;
  FakeTextBox text1, text2, text6;
  FakeLabel label9;
  FakeMessageBoxes messages;
  FakeFileDialogs dialogs;
  LoggingEntryWindows windows{log};
  LoggingStacking stacking{log};
  Form1Flows flows{Form1Parts{list1, list2, list3, text1, text2, text6, label9, messages, dialogs, windows, stacking}};
};

}  // namespace tavorin::testing
