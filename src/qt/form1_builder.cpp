#include "qt/form1_builder.h"

#include <QComboBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>

#include "core/window/form1_control_table.h"
#include "qt/control_factory.h"
#include "qt/record_list_widget.h"
#include "qt/record_text_edit.h"
#include "qt/twips.h"
#include "qt/ui_fonts.h"

namespace tavorin {
namespace {

QString Text(std::string_view utf8) {
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

QWidget* AddTabStrip(QWidget& parent, const QString& name) {
  auto* tabs = new QTabWidget(&parent);
  tabs->setObjectName(name);
  // The tab strip only offers the tabs; the pages are siblings laid over its
  // body.
  for (std::string_view caption : kTabCaptions) tabs->addTab(new QWidget, Text(caption));
  return tabs;
}

QWidget* AddRecordEditor(QWidget& parent, const QString& name) {
  auto* editor = new RecordTextEdit(&parent);
  editor->setObjectName(name);
  editor->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  editor->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  editor->setTabChangesFocus(true);
  return editor;
}

// Chinese has no spaces to break at: a wrapped caption breaks wherever its
// box is full, inside a word if need be («冷却开始前刷新页 / 面：»), and its
// second line has only the room the controls beside it leave. A caption that
// a slightly smaller size keeps on one line is shown so.
void FitOnOneLine(QLabel& label) {
  constexpr double kSmallestPoints = 7.5;
  QFont font = label.font();
  for (double points = font.pointSizeF(); points >= kSmallestPoints; points -= 0.25) {
    font.setPointSizeF(points);
    if (QFontMetrics(font).horizontalAdvance(label.text()) <= label.width()) {
      label.setFont(font);
      return;
    }
  }
}

QWidget* AddLabelFor(QWidget& parent, const ControlSpec& spec, const QString& name) {
  const TwipRect& r = spec.rect;
  if (r.width == 0)
    return AddTextSizedLabel(parent, name, Text(spec.caption), r.left, r.top, r.height);
  QLabel* label = AddLabel(parent, name, Text(spec.caption), r.left, r.top, r.width, r.height);
  if (spec.Has(kWordWrap)) {
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  }
  return label;
}

QWidget* AddControl(QWidget& parent, const ControlSpec& spec) {
  const QString name = Text(spec.name);
  const QString caption = Text(spec.caption);
  const TwipRect& r = spec.rect;
  switch (spec.kind) {
    case ControlKind::kTabStrip:
      return AddTabStrip(parent, name);
    case ControlKind::kPage:
      return AddPage(parent, name);
    case ControlKind::kFrame:
      return AddFrame(parent, name, caption, r.left, r.top, r.width, r.height);
    case ControlKind::kButton:
      return AddButton(parent, name, caption, r.left, r.top, r.width, r.height);
    case ControlKind::kLabel:
      return AddLabelFor(parent, spec, name);
    case ControlKind::kTextBox: {
      QLineEdit* box = AddTextBox(parent, name, r.left, r.top, r.width, r.height);
      box->setText(caption);
      return box;
    }
    case ControlKind::kRecordEditor:
      return AddRecordEditor(parent, name);
    case ControlKind::kListBox:
      return AddListBox(parent, name, r.left, r.top, r.width, r.height);
    case ControlKind::kCheckListBox:
      return AddListBox(parent, name, r.left, r.top, r.width, r.height, new RecordListWidget);
    case ControlKind::kOptionButton: {
      // Option buttons of one parent exclude each other by themselves.
      QRadioButton* option =
          AddOptionButton(parent, name, caption, r.left, r.top, r.width, r.height);
      option->setChecked(spec.Has(kChosen));
      return option;
    }
    case ControlKind::kDropDownList: {
      QComboBox* list = AddDropDownList(parent, name, r.left, r.top, r.width);
      for (std::string_view item : spec.items) list->addItem(Text(item));
      list->setCurrentIndex(-1);
      return list;
    }
  }
  qFatal("Form1: control %s has no known kind", qPrintable(name));
}

}  // namespace

void BuildForm1Controls(QWidget& form) {
  QHash<QString, QWidget*> created{{Text(kForm1Name), &form}};
  for (const ControlSpec& spec : Form1ControlTable()) {
    QWidget* parent = created.value(Text(spec.parent));
    if (parent == nullptr) qFatal("Form1: %s comes before its parent", spec.name.data());
    QWidget* widget = AddControl(*parent, spec);
    // The factory sizes drop-down lists and text-sized labels itself.
    if (spec.rect.width > 0 && spec.rect.height > 0) {
      widget->setGeometry(
          TwipsRect(spec.rect.left, spec.rect.top, spec.rect.width, spec.rect.height));
    }
    widget->setFont(UiFont(spec.fontPoints));
    if (spec.Has(kWordWrap)) FitOnOneLine(*static_cast<QLabel*>(widget));
    if (spec.Has(kAcceptsFiles)) widget->setAcceptDrops(true);
    if (spec.Has(kHidden)) widget->hide();
    created.insert(Text(spec.name), widget);
  }
}

}  // namespace tavorin
