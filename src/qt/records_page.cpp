#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>

#include "qt/control_factory.h"
#include "qt/page_layouts.h"
#include "qt/record_text_edit.h"
#include "qt/record_list_widget.h"
#include "qt/twips.h"
#include "qt/ui_fonts.h"

namespace tavorin {

void BuildRecordsPage(QWidget& page) {
  QWidget& frame = *AddFrame(page, "Frame1", "原始信息", 0, 0, 4095, 5655);

  AddButton(frame, "Command12", "全不选", 600, 240, 735, 375);
  AddButton(frame, "Command11", "全选", 1440, 240, 735, 375);
  AddButton(frame, "Command13", "导出", 2280, 240, 735, 375);
  AddButton(frame, "Command5", "导入", 3120, 240, 735, 375);

  AddListBox(frame, "List1", 240, 720, 3615, 1485, new RecordListWidget);
  frame.findChild<QListWidget*>("List1")->setAcceptDrops(true);

  AddLabel(frame, "Label9", "已选中0项", 240, 2340, 825, 255);
  AddButton(frame, "Command15", "删除", 2280, 2280, 735, 375);
  AddButton(frame, "Command14", "新增", 3120, 2280, 735, 375);

  auto* editor = new RecordTextEdit(&frame);
  editor->setObjectName("Text6");
  editor->setGeometry(TwipsRect(240, 2760, 3615, 2655));
  editor->setFont(EditorFont());
  editor->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  editor->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  editor->setTabChangesFocus(true);

  // The pass list and the expanded text are working storage of a run and are
  // never shown.
  AddListBox(frame, "List4", 2760, 1920, 975, 240)->hide();
  QLineEdit* expanded = AddTextBox(frame, "Text5", 2640, 4920, 1095, 375);
  expanded->setText("Text5");
  expanded->hide();
}

}  // namespace tavorin
