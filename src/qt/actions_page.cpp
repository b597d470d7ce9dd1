#include <QGroupBox>
#include <QListWidget>
#include <QPushButton>

#include "qt/control_factory.h"
#include "qt/page_layouts.h"

namespace tavorin {

void BuildActionsPage(QWidget& page) {
  QWidget& actions = *AddFrame(page, "Frame4", "动作（双击删除）", 0, 0, 4095, 4575);
  AddButton(actions, "Command8", "导入", 1440, 360, 735, 375);
  AddButton(actions, "Command9", "导出", 2280, 360, 735, 375);
  AddButton(actions, "Command10", "清空", 3120, 360, 735, 375);
  AddListBox(actions, "List3", 240, 840, 3615, 1590)->setAcceptDrops(true);

  const char* const captions[] = {"复制内容", "粘贴内容", "点击位置",
                                  "按下按键", "等候时长", "插入内容"};
  for (int i = 0; i < 6; ++i) {
    AddButton(actions, ArrayName("Command6", i), captions[i], 240 + (i % 3) * 1200,
              2520 + (i / 3) * 480, 1095, 375);
  }

  QWidget& run = *AddFrame(page, "Frame5", "操作", 0, 4680, 4095, 975);
  AddButton(run, "Command7", "启动", 240, 360, 1095, 375);
}

}  // namespace tavorin
