#include <QButtonGroup>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include "qt/control_factory.h"
#include "qt/page_layouts.h"

namespace tavorin {
namespace {

void BuildReplacementFrame(QWidget& page) {
  QWidget& frame = *AddFrame(page, "Frame2", "替换词汇", 0, 0, 4095, 4215);
  AddLabel(frame, "Label2", "原来的：", 240, 360, 735, 375);
  AddTextBox(frame, "Text1", 960, 360, 2895, 375);
  AddLabel(frame, "Label3", "替换为：", 240, 840, 735, 375);
  AddTextBox(frame, "Text2", 960, 840, 2895, 375);
  AddButton(frame, "Command1", "添加", 360, 1320, 735, 375);
  AddButton(frame, "Command2", "删除", 1200, 1320, 735, 375);
  AddButton(frame, "Command3", "清空", 2040, 1320, 735, 375);
  AddButton(frame, "Command4", "编辑", 2880, 1320, 735, 375);
  AddListBox(frame, "List2", 240, 1920, 3615, 2100);
}

void BuildCountFrame(QWidget& page) {
  QWidget& frame = *AddFrame(page, "Frame3", "计数和冷却", 0, 4320, 4095, 1335);
  AddLabel(frame, "Label4", "次数（次）：", 240, 360, 1080, 255);
  AddTextBox(frame, "Text3", 1320, 360, 975, 375);
  AddLabel(frame, "Label5", "冷却（秒）：", 240, 840, 1080, 255);
  AddTextBox(frame, "Text4", 1320, 840, 975, 375);
  // The caption wraps; its second line ends just left of the two option
  // buttons, which continue it.
  QLabel* refreshQuestion = AddLabel(frame, "Label6", "冷却开始前刷新页面：", 2400, 240, 1560, 495);
  refreshQuestion->setWordWrap(true);
  refreshQuestion->setAlignment(Qt::AlignLeft | Qt::AlignTop);

  auto* group = new QButtonGroup(&frame);
  group->setObjectName("Option1");
  group->addButton(AddOptionButton(frame, ArrayName("Option1", 0), "是", 2760, 510, 495, 255), 0);
  QRadioButton* no = AddOptionButton(frame, ArrayName("Option1", 1), "否", 3360, 510, 495, 255);
  group->addButton(no, 1);
  no->setChecked(true);

  AddLabel(frame, "Label7", "按下：", 2400, 840, 540, 255);
  QComboBox* refreshKey = AddDropDownList(frame, "Combo1", 3000, 840, 975);
  refreshKey->addItems({"F5", "Ctrl+R"});
  refreshKey->setCurrentIndex(-1);
}

}  // namespace

void BuildAdjustmentsPage(QWidget& page) {
  BuildReplacementFrame(page);
  BuildCountFrame(page);
}

}  // namespace tavorin
