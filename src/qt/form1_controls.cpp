#include "qt/form1_controls.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>

#include "qt/record_editor_binding.h"
#include "qt/record_list_widget.h"

namespace tavorin {
namespace {

// The page builders created every control under its design name; a missing
// one is a programming error caught by the first start.
template <typename Widget>
Widget& Child(QWidget& form, const char* name) {
  auto* widget = form.findChild<Widget*>(QLatin1String(name));
  if (widget == nullptr) qFatal("Form1 has no control %s", name);
  return *widget;
}

}  // namespace

Form1Controls::Form1Controls(QWidget& form)
    : list1(Child<QListWidget>(form, "List1"), QtListBox::Style::kCheckBoxes),
      list2(Child<QListWidget>(form, "List2"), QtListBox::Style::kPlain),
      list3(Child<QListWidget>(form, "List3"), QtListBox::Style::kPlain),
      list4(Child<QListWidget>(form, "List4"), QtListBox::Style::kPlain),
      text1(Child<QLineEdit>(form, "Text1")),
      text2(Child<QLineEdit>(form, "Text2")),
      text3(Child<QLineEdit>(form, "Text3")),
      text4(Child<QLineEdit>(form, "Text4")),
      text5(Child<QLineEdit>(form, "Text5")),
      text6(Child<QPlainTextEdit>(form, "Text6")),
      label9(Child<QLabel>(form, "Label9"), true),
      recordEditor(list1, text6, label9),
      replacementWords(list2, text1, text2),
      recordBinding_(std::make_unique<RecordEditorBinding>(
          recordEditor, Child<RecordListWidget>(form, "List1"),
          Child<QPlainTextEdit>(form, "Text6"), Child<QTimer>(form, "Timer1"))) {
  QObject::connect(&Child<QPushButton>(form, "Command1"), &QPushButton::clicked,
                   &connections_, [this] { replacementWords.Add(); });
  QObject::connect(&Child<QPushButton>(form, "Command2"), &QPushButton::clicked,
                   &connections_, [this] { replacementWords.Delete(); });
  QObject::connect(&Child<QPushButton>(form, "Command3"), &QPushButton::clicked,
                   &connections_, [this] { replacementWords.Clear(); });
  QObject::connect(&Child<QPushButton>(form, "Command4"), &QPushButton::clicked,
                   &connections_, [this] { replacementWords.Edit(); });
}

Form1Controls::~Form1Controls() = default;

}  // namespace tavorin
