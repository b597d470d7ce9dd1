#pragma once

#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "core/actions/action_entry.h"
#include "core/actions/action_list_upkeep.h"
#include "core/interfaces/controls.h"
#include "core/interfaces/file_dialogs.h"
#include "core/interfaces/list_box.h"
#include "core/interfaces/message_boxes.h"
#include "core/interfaces/window_stacking.h"
#include "core/records/record_editor.h"
#include "core/records/record_upkeep.h"
#include "core/replacements/replacement_words.h"

namespace tavorin {

// The controls and services of the main window that its flows work on, as a
// front end supplies them.
struct Form1Parts {
  ListBox& list1;  // records
  ListBox& list2;  // replacement pairs
  ListBox& list3;  // action lines
  TextBox& text1;  // old text of a pair
  TextBox& text2;  // new text of a pair
  TextBox& text6;  // record editor
  Label& label9;   // record status
  MessageBoxes& messages;
  FileDialogs& fileDialogs;
  ActionEntryWindows& windows;
  WindowStacking& stacking;
};

// Every flow behind the main window's buttons, list events and life, reached
// by the controls' design names, so a front end only forwards its widgets'
// events. "启动" is not among them: the run has a binding of its own.
class Form1Flows {
 public:
  explicit Form1Flows(const Form1Parts& parts);
  Form1Flows(const Form1Flows&) = delete;
  Form1Flows& operator=(const Form1Flows&) = delete;

  // Whether a click on the named button starts one of these flows.
  bool HandlesClick(std::string_view name) const;
  // The click of the named button; does nothing for a name HandlesClick
  // refuses.
  void Click(std::string_view name);
  // A double-click on the named list; it has made the row under the pointer
  // current already.
  void DoubleClick(std::string_view name);
  // Files dropped on the named list, in drop order.
  void DropFiles(std::string_view name, const std::vector<std::u16string>& files);

  // The main window was shown by the program (at start, after a run or the
  // picker), and is about to close.
  void MainWindowShown();
  void MainWindowClosing();

  RecordEditor& recordEditor() { return recordEditor_; }

 private:
  ActionEntryWindows& windows_;
  WindowStacking& stacking_;
  RecordEditor recordEditor_;
  ReplacementWords replacementWords_;
  RecordUpkeep records_;
  ActionListUpkeep actions_;
  ActionEntry entry_;
  std::map<std::string_view, std::function<void()>> clicks_;
};

}  // namespace tavorin
