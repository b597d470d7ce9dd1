#pragma once

#include <memory>

#include <QObject>

#include "core/records/record_editor.h"
#include "core/replacements/replacement_words.h"
#include "qt/qt_label.h"
#include "qt/qt_list_box.h"
#include "qt/qt_text_box.h"

class QWidget;

namespace tavorin {

class RecordEditorBinding;

// The lists, text boxes and status label of the main window as the program's
// logic sees them, and the logic of the records and replacement words bound
// to their widgets.
class Form1Controls {
 public:
  // `form` must already hold every page's controls and Timer1.
  explicit Form1Controls(QWidget& form);
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
  RecordEditor recordEditor;
  ReplacementWords replacementWords;

 private:
  // Ends the button connections together with the logic they call.
  QObject connections_;
  std::unique_ptr<RecordEditorBinding> recordBinding_;
};

}  // namespace tavorin
