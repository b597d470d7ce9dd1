#include <QGroupBox>

#include "qt/control_factory.h"
#include "qt/page_layouts.h"

namespace tavorin {

void BuildHelpPage(QWidget& page) {
  QWidget& frame = *AddFrame(page, "Frame6", "关于和帮助", 0, 0, 4095, 5655);
  struct Line {
    int top;
    const char* text;
  };
  const Line lines[] = {
      {360, "作者：Tavorin 开发组"},
      {600, "版本：1.0.0.2"},
      {840, "发布地址：随程序附带"},
      {1200, "在“原始信息”中使用特定文本："},
      {1440, "序号（1,2，……）：%i"},
      {1680, "日期（X年X月X日）：%d"},
      {1920, "时间（XX:XX:XX）：%t"},
      {2160, "星期（星期X）：%w"},
      {2520, "当“次数”为-1时，将执行已选中项目的次数。"},
  };
  for (int i = 0; i < 9; ++i) {
    AddTextSizedLabel(frame, ArrayName("Label8", i), QString::fromUtf8(lines[i].text), 120,
                      lines[i].top, 255);
  }
}

}  // namespace tavorin
