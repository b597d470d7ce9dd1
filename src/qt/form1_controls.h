#pragma once

#include <memory>

#include <QObject>

#include "core/window/form1_flows.h"
#include "qt/qt_action_entry_windows.h"
#include "qt/qt_label.h"
#include "qt/qt_list_box.h"
#include "qt/qt_message_boxes.h"
#include "qt/qt_text_box.h"

namespace tavorin {

class Form1;
class RecordEditorBinding;

// The lists, text boxes and status label of the main window as the program's
// logic sees them, and the window's flows with every button, list event and
// file drop of the control table forwarded to them.
class Form1Controls {
 public:
  // `form` must already hold every control of the table and Timer1.
  explicit Form1Controls(Form1& form);
  ~Form1Controls();

  QtListBox list1;  // records, check mark = selected for runs
  QtListBox list2;  // replacement pairs
  QtListBox list3;  // action lines
  QtListBox list4;  // hidden pass list
  QtTextBox text1;  // old text of a pair
  QtTextBox text2;  // new text of a pair
  QtTextBox text3;  // count
  QtTextBox text4;  // cooldown
  QtTextBox text5;  // hidden expanded record text
  QtTextBox text6;  // record editor
  QtLabel label9;   // record status
  QtMessageBoxes messages;
  QtActionEntryWindows actionWindows;
  Form1Flows flows;

 private:
  void ConnectEvents(Form1& form);

  // Ends the connections together with the flows they call.
  QObject connections_;
  std::unique_ptr<RecordEditorBinding> recordBinding_;
};

}  // namespace tavorin
