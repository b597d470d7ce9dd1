#include "qt/form1_controls.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>

#include "core/window/form1_control_table.h"
#include "qt/file_drop_filter.h"
#include "qt/form1.h"
#include "qt/qt_file_dialogs.h"
#include "qt/record_editor_binding.h"
#include "qt/record_list_widget.h"

namespace tavorin {
namespace {

// The builder created every control under its design name; a missing one is
// a programming error caught by the first start.
template <typename Widget>
Widget& Child(QWidget& form, std::string_view name) {
  auto* widget = form.findChild<Widget*>(QString::fromUtf8(name.data(), name.size()));
  if (widget == nullptr) qFatal("Form1 has no control %s", name.data());
  return *widget;
}

}  // namespace

Form1Controls::Form1Controls(Form1& form)
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
      messages(&form),
      actionWindows(form),
      flows(Form1Parts{list1, list2, list3, text1, text2, text6, label9, messages,
                       QtFileDialogs::Of(form), actionWindows, SystemWindowStacking()}),
      recordBinding_(std::make_unique<RecordEditorBinding>(
          flows.recordEditor(), Child<RecordListWidget>(form, "List1"),
          Child<QPlainTextEdit>(form, "Text6"), Child<QTimer>(form, "Timer1"))) {
  ConnectEvents(form);
}

Form1Controls::~Form1Controls() = default;

void Form1Controls::ConnectEvents(Form1& form) {
  for (const ControlSpec& spec : Form1ControlTable()) {
    const std::string_view name = spec.name;
    // "启动" reaches no flow here; the run binding takes its click.
    if (spec.kind == ControlKind::kButton) {
      QObject::connect(&Child<QPushButton>(form, name), &QPushButton::clicked, &connections_,
                       [this, name] { flows.Click(name); });
    }
    if (spec.Has(kAcceptsFiles)) {
      FileDropFilter::Install(Child<QListWidget>(form, name),
                              [this, name](const auto& paths) { flows.DropFiles(name, paths); });
    }
  }
  // A double-click on a row has made that row current before this runs.
  QObject::connect(&Child<QListWidget>(form, "List3"), &QListWidget::itemDoubleClicked,
                   &connections_, [this] { flows.DoubleClick("List3"); });
}

}  // namespace tavorin
