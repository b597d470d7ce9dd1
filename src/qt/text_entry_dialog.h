#pragma once

#include <string>
#include <string_view>

#include "qt/entry_dialog.h"

class QLineEdit;
class QPushButton;

namespace tavorin {

class ListBox;

// Form4 (seconds to wait) and Form5 (text to insert): a text box and "确定",
// which appends the line made from the text. Enter in the text box confirms
// as well.
class TextEntryDialog : public EntryDialog {
 public:
  enum class Kind { kWait, kInsert };

  TextEntryDialog(QWidget& owner, ListBox& actions, Kind kind);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // ConfirmWait or ConfirmInsert, after the kind.
  void Confirm();
  void RemoveLineBreaks();

  ListBox& actions_;
  std::u16string (*makeLine_)(std::u16string_view typedText);
  QLineEdit* text1_ = nullptr;
  QPushButton* command5_ = nullptr;
};

}  // namespace tavorin
