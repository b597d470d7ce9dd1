#pragma once

#include "qt/entry_dialog.h"
#include "core/actions/key_chord_capture.h"

class QLineEdit;

namespace tavorin {

class ListBox;

// Form3: shows each key press as a chord and records the chord shown when
// the first key is let go.
class KeyChordDialog : public EntryDialog {
 public:
  KeyChordDialog(QWidget& owner, ListBox& actions);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void CaptureKeyChord(int virtualKey, int modifierMask);
  void CommitKeyChord();

  ListBox& actions_;
  QLineEdit* text1_ = nullptr;
  KeyChordCapture capture_;
};

}  // namespace tavorin
