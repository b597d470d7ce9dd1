#include <QPushButton>
#include <QTimer>

#include "core/actions/action_lines.h"
#include "core/actions/add_action.h"
#include "qt/key_chord_dialog.h"
#include "qt/position_picker.h"
#include "qt/text_entry_dialog.h"
#include "qt/control_factory.h"
#include "qt/form1.h"
#include "qt/form1_bindings.h"
#include "qt/form1_controls.h"
#include "qt/qt_message_boxes.h"
#include "core/interfaces/full_list.h"
#include "platform/x11/window_stacking.h"

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
    case 1: {
      QtMessageBoxes messages(&form);
      AppendOrSayFull(actions, kActionListName, std::u16string(index == 0 ? kCopyLine : kPasteLine),
                      messages);
      break;
    }
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
