#include "qt/qt_action_entry_windows.h"

#include <QTimer>

#include "qt/form1.h"
#include "qt/form1_controls.h"
#include "qt/key_chord_dialog.h"
#include "qt/position_picker.h"
#include "qt/text_entry_dialog.h"

namespace tavorin {

WindowHandle QtActionEntryWindows::MainWindow() { return static_cast<WindowHandle>(form_.winId()); }

void QtActionEntryWindows::HideMainWindow() { form_.hide(); }

void QtActionEntryWindows::OpenPositionPickerSoon() {
  QTimer::singleShot(kPickerSettleMs, &form_, [this] { OpenPositionPicker(form_); });
}

void QtActionEntryWindows::RunKeyChordDialog() {
  KeyChordDialog dialog(form_, form_.controls().list3);
  dialog.exec();
}

void QtActionEntryWindows::RunWaitDialog() {
  TextEntryDialog dialog(form_, form_.controls().list3, TextEntryDialog::Kind::kWait);
  dialog.exec();
}

void QtActionEntryWindows::RunInsertDialog() {
  TextEntryDialog dialog(form_, form_.controls().list3, TextEntryDialog::Kind::kInsert);
  dialog.exec();
}

void OpenPositionPicker(Form1& form) { (new PositionPicker(form, form.controls().list3))->Open(); }

}  // namespace tavorin
