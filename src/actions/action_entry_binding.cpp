#include <QPushButton>
#include <QTimer>

#include "actions/action_lines.h"
#include "actions/add_action.h"
#include "actions/key_chord_dialog.h"
#include "actions/position_picker.h"
#include "actions/text_entry_dialog.h"
#include "ui/control_factory.h"
#include "ui/form1.h"
#include "ui/form1_bindings.h"
#include "ui/form1_controls.h"
#include "ui/window_stacking.h"

namespace tavorin {
namespace {

constexpr int kButtonCount = 6;

// The main window leaves the always-on-top band while a dialog is open, so
// the dialog can come in front of it, and returns however the dialog closed.
void RunModal(Form1& form, EntryDialog& dialog) {
  MakeNotTopmost(&form);
  dialog.exec();
  MakeTopmost(&form);
}

}  // namespace

void AddAction(Form1& form, int index) {
  ListBox& actions = form.controls().list3;
  switch (index) {
    case 0:
      actions.AddItem(std::u16string(kCopyLine));
      break;
    case 1:
      actions.AddItem(std::u16string(kPasteLine));
      break;
    case 2:
      form.hide();
      QTimer::singleShot(kPickerSettleMs, &form, [&form] { OpenPositionPicker(form); });
      break;
    case 3: {
      KeyChordDialog dialog(form, actions);
      RunModal(form, dialog);
      break;
    }
    case 4:
    case 5: {
      TextEntryDialog dialog(form, actions,
                             index == 4 ? TextEntryDialog::Kind::kWait
                                        : TextEntryDialog::Kind::kInsert);
      RunModal(form, dialog);
      break;
    }
    default:
      break;
  }
}

void OpenPositionPicker(Form1& form) {
  (new PositionPicker(form, form.controls().list3))->Open();
}

void BindActionEntry(Form1& form) {
  for (int i = 0; i < kButtonCount; ++i) {
    auto* button = form.findChild<QPushButton*>(ArrayName("Command6", i));
    if (button == nullptr) continue;
    QObject::connect(button, &QPushButton::clicked, &form, [&form, i] { AddAction(form, i); });
  }
}

}  // namespace tavorin
