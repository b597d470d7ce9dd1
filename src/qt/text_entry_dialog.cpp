#include "qt/text_entry_dialog.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <limits>

#include "core/actions/action_lines.h"
#include "qt/control_factory.h"
#include "core/interfaces/full_list.h"
#include "core/interfaces/list_box.h"
#include "qt/qt_message_boxes.h"
#include "qt/virtual_keys.h"

namespace tavorin {
namespace {

constexpr int kVkReturn = 13;
constexpr int kVkSeparator = 108;

struct Design {
  const char* name;
  const char* caption;
  int width;
  int height;
  int textWidth;
  int buttonLeft;
  bool buttonFirst;  // in the focus order
  std::u16string (*makeLine)(std::u16string_view);
};

const Design& DesignOf(TextEntryDialog::Kind kind) {
  static const Design wait{"Form4", "等候（秒）：", 2745, 585, 1695, 1920, false, &WaitLine};
  static const Design insert{"Form5", "插入内容：", 3360, 585, 2295, 2520, true, &InsertLine};
  return kind == TextEntryDialog::Kind::kWait ? wait : insert;
}

}  // namespace

TextEntryDialog::TextEntryDialog(QWidget& owner, ListBox& actions, Kind kind)
    : EntryDialog(owner, DesignOf(kind).name, DesignOf(kind).caption, DesignOf(kind).width,
                  DesignOf(kind).height),
      actions_(actions),
      makeLine_(DesignOf(kind).makeLine) {
  const Design& design = DesignOf(kind);
  // Created in the focus order.
  const auto addButton = [&] {
    command5_ = AddButton(*this, "Command5", "确定", design.buttonLeft, 120, 735, 375);
  };
  if (design.buttonFirst) addButton();
  text1_ = AddTextBox(*this, "Text1", 120, 120, design.textWidth, 375);
  if (!design.buttonFirst) addButton();
  (design.buttonFirst ? static_cast<QWidget*>(command5_) : text1_)->setFocus();

  connect(command5_, &QPushButton::clicked, this, &TextEntryDialog::Confirm);
  text1_->installEventFilter(this);
  // A line edit keeps 32,767 characters and drops the rest of a paste
  // without a word; an insert text is kept whole.
  text1_->setMaxLength(std::numeric_limits<int>::max());
  connect(text1_, &QLineEdit::textChanged, this, &TextEntryDialog::RemoveLineBreaks);
}

// A pasted line break is taken out at once, where the user sees it, and never
// reaches the action line.
void TextEntryDialog::RemoveLineBreaks() {
  const QString text = text1_->text();
  if (!text.contains(QLatin1Char('\r')) && !text.contains(QLatin1Char('\n'))) return;
  const int cursor = text1_->cursorPosition();
  const auto kept = WithoutLineBreaks(text.left(cursor).toStdU16String());
  text1_->setText(QString::fromStdU16String(WithoutLineBreaks(text.toStdU16String())));
  text1_->setCursorPosition(static_cast<int>(kept.size()));
}

bool TextEntryDialog::eventFilter(QObject* watched, QEvent* event) {
  if (watched == text1_ && event->type() == QEvent::KeyPress) {
    // By the keysym, as the record editor does: the platform's key-code map
    // reads a KP_Separator key as the keypad's decimal key.
    const int vk = WindowsVirtualKey(*static_cast<QKeyEvent*>(event));
    if (vk == kVkReturn || vk == kVkSeparator) {
      Confirm();
      return true;
    }
  }
  return false;
}

void TextEntryDialog::Confirm() {
  // A second Enter may arrive before the window has gone.
  if (result() == Accepted) return;
  QtMessageBoxes messages(this);
  AppendOrSayFull(actions_, kActionListName, makeLine_(text1_->text().toStdU16String()), messages);
  accept();
}

}  // namespace tavorin
