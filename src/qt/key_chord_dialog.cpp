#include "qt/key_chord_dialog.h"

#include <QKeyEvent>
#include <QLineEdit>

#include "qt/pressed_key.h"
#include "qt/control_factory.h"
#include "core/interfaces/full_list.h"
#include "core/interfaces/list_box.h"
#include "qt/qt_message_boxes.h"

namespace tavorin {

KeyChordDialog::KeyChordDialog(QWidget& owner, ListBox& actions)
    : EntryDialog(owner, "Form3", "按下按键。。。", 3315, 600), actions_(actions) {
  text1_ = AddTextBox(*this, "Text1", 120, 120, 3015, 375);
  text1_->setReadOnly(true);
  // Every key, Tab and Enter included, is a chord here, not a command.
  text1_->installEventFilter(this);
  text1_->setFocus();
}

bool KeyChordDialog::eventFilter(QObject* watched, QEvent* event) {
  if (watched != text1_) return false;
  // X follows a Menu key press with a context-menu request; the key is a
  // chord here (93), so no menu may take the release away.
  if (event->type() == QEvent::ContextMenu) return true;
  if (event->type() == QEvent::KeyPress) {
    const auto& key = *static_cast<QKeyEvent*>(event);
    CaptureKeyChord(PressedVirtualKey(key), ModifierMask(key.modifiers()));
    return true;
  }
  if (event->type() == QEvent::KeyRelease) {
    // X11 repeats a held key as release and press pairs; only a real
    // release ends the chord.
    if (!static_cast<QKeyEvent*>(event)->isAutoRepeat()) CommitKeyChord();
    return true;
  }
  return false;
}

void KeyChordDialog::CaptureKeyChord(int virtualKey, int modifierMask) {
  capture_.Press(virtualKey, modifierMask);
  text1_->setText(QString::fromStdU16String(capture_.Text()));
}

void KeyChordDialog::CommitKeyChord() {
  const auto line = capture_.Release();
  if (!line) return;
  QtMessageBoxes messages(this);
  AppendOrSayFull(actions_, kActionListName, *line, messages);
  accept();
}

}  // namespace tavorin
