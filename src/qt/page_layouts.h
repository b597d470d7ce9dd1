#pragma once

class QWidget;

namespace tavorin {

// The controls of each tab page, placed as designed. The builders only lay
// out; Form1 connects the controls to the program's logic afterwards.
void BuildRecordsPage(QWidget& page);      // tab "文本数据"
void BuildAdjustmentsPage(QWidget& page);  // tab "修改和调节"
void BuildActionsPage(QWidget& page);      // tab "动作和控制"
void BuildHelpPage(QWidget& page);         // tab "选项"

}  // namespace tavorin
