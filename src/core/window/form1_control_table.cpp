#include "core/window/form1_control_table.h"

#include <algorithm>

namespace tavorin {
namespace {

using K = ControlKind;

constexpr TwipRect kPageRect{360, 600, 4215, 5775};
constexpr TwipRect kSmallButton(int left, int top) { return {left, top, 735, 375}; }
constexpr TwipRect kWideButton(int left, int top) { return {left, top, 1095, 375}; }
// The help labels are as wide as their text and one line high.
constexpr TwipRect kHelpLine(int top) { return {120, top, 0, 255}; }

constexpr std::string_view kRefreshKeys[] = {"F5", "Ctrl+R"};

constexpr ControlSpec kControls[] = {
    {"TabStrip1", K::kTabStrip, "Form1", {120, 120, 4575, 6375}, ""},
    {"PicPage(0)", K::kPage, "Form1", kPageRect, ""},
    {"PicPage(1)", K::kPage, "Form1", kPageRect, "", kUiFontPoints, kHidden},
    {"PicPage(2)", K::kPage, "Form1", kPageRect, "", kUiFontPoints, kHidden},
    {"PicPage(3)", K::kPage, "Form1", kPageRect, "", kUiFontPoints, kHidden},

    // Tab "文本数据": the records.
    {"Frame1", K::kFrame, "PicPage(0)", {0, 0, 4095, 5655}, "原始信息"},
    {"Command12", K::kButton, "Frame1", kSmallButton(600, 240), "全不选"},
    {"Command11", K::kButton, "Frame1", kSmallButton(1440, 240), "全选"},
    {"Command13", K::kButton, "Frame1", kSmallButton(2280, 240), "导出"},
    {"Command5", K::kButton, "Frame1", kSmallButton(3120, 240), "导入"},
    {"List1", K::kCheckListBox, "Frame1", {240, 720, 3615, 1485}, "", kUiFontPoints,
     kAcceptsFiles},
    {"Label9", K::kLabel, "Frame1", {240, 2340, 825, 255}, "已选中0项"},
    {"Command15", K::kButton, "Frame1", kSmallButton(2280, 2280), "删除"},
    {"Command14", K::kButton, "Frame1", kSmallButton(3120, 2280), "新增"},
    {"Text6", K::kRecordEditor, "Frame1", {240, 2760, 3615, 2655}, "", kEditorFontPoints},
    // Working storage of a run, never shown: the pass list and the expanded
    // record text.
    {"List4", K::kListBox, "Frame1", {2760, 1920, 975, 240}, "", kUiFontPoints, kHidden},
    {"Text5", K::kTextBox, "Frame1", {2640, 4920, 1095, 375}, "Text5", kUiFontPoints, kHidden},

    // Tab "修改和调节": the replacement words ...
    {"Frame2", K::kFrame, "PicPage(1)", {0, 0, 4095, 4215}, "替换词汇"},
    {"Label2", K::kLabel, "Frame2", {240, 360, 735, 375}, "原来的："},
    {"Text1", K::kTextBox, "Frame2", {960, 360, 2895, 375}, ""},
    {"Label3", K::kLabel, "Frame2", {240, 840, 735, 375}, "替换为："},
    {"Text2", K::kTextBox, "Frame2", {960, 840, 2895, 375}, ""},
    {"Command1", K::kButton, "Frame2", kSmallButton(360, 1320), "添加"},
    {"Command2", K::kButton, "Frame2", kSmallButton(1200, 1320), "删除"},
    {"Command3", K::kButton, "Frame2", kSmallButton(2040, 1320), "清空"},
    {"Command4", K::kButton, "Frame2", kSmallButton(2880, 1320), "编辑"},
    {"List2", K::kListBox, "Frame2", {240, 1920, 3615, 2100}, ""},
    // ... and the count and cooldown.
    {"Frame3", K::kFrame, "PicPage(1)", {0, 4320, 4095, 1335}, "计数和冷却"},
    {"Label4", K::kLabel, "Frame3", {240, 360, 1080, 255}, "次数（次）："},
    {"Text3", K::kTextBox, "Frame3", {1320, 360, 975, 375}, ""},
    {"Label5", K::kLabel, "Frame3", {240, 840, 1080, 255}, "冷却（秒）："},
    {"Text4", K::kTextBox, "Frame3", {1320, 840, 975, 375}, ""},
    // Wrapped, its second line ends just left of the two option buttons,
    // which continue it.
    {"Label6", K::kLabel, "Frame3", {2400, 240, 1560, 495}, "冷却开始前刷新页面：", kUiFontPoints,
     kWordWrap},
    {"Option1(0)", K::kOptionButton, "Frame3", {2760, 510, 495, 255}, "是"},
    {"Option1(1)", K::kOptionButton, "Frame3", {3360, 510, 495, 255}, "否", kUiFontPoints,
     kChosen},
    {"Label7", K::kLabel, "Frame3", {2400, 840, 540, 255}, "按下："},
    {"Combo1", K::kDropDownList, "Frame3", {3000, 840, 975, 0}, "", kUiFontPoints, kNoFlags,
     kRefreshKeys},

    // Tab "动作和控制": the action list and "启动".
    {"Frame4", K::kFrame, "PicPage(2)", {0, 0, 4095, 4575}, "动作（双击删除）"},
    {"Command8", K::kButton, "Frame4", kSmallButton(1440, 360), "导入"},
    {"Command9", K::kButton, "Frame4", kSmallButton(2280, 360), "导出"},
    {"Command10", K::kButton, "Frame4", kSmallButton(3120, 360), "清空"},
    {"List3", K::kListBox, "Frame4", {240, 840, 3615, 1590}, "", kUiFontPoints, kAcceptsFiles},
    {"Command6(0)", K::kButton, "Frame4", kWideButton(240, 2520), "复制内容"},
    {"Command6(1)", K::kButton, "Frame4", kWideButton(1440, 2520), "粘贴内容"},
    {"Command6(2)", K::kButton, "Frame4", kWideButton(2640, 2520), "点击位置"},
    {"Command6(3)", K::kButton, "Frame4", kWideButton(240, 3000), "按下按键"},
    {"Command6(4)", K::kButton, "Frame4", kWideButton(1440, 3000), "等候时长"},
    {"Command6(5)", K::kButton, "Frame4", kWideButton(2640, 3000), "插入内容"},
    {"Frame5", K::kFrame, "PicPage(2)", {0, 4680, 4095, 975}, "操作"},
    {"Command7", K::kButton, "Frame5", kWideButton(240, 360), "启动"},

    // Tab "选项": the help texts.
    {"Frame6", K::kFrame, "PicPage(3)", {0, 0, 4095, 5655}, "关于和帮助"},
    {"Label8(0)", K::kLabel, "Frame6", kHelpLine(360), "作者：Tavorin 开发组"},
    {"Label8(1)", K::kLabel, "Frame6", kHelpLine(600), "版本：1.0.0.2"},
    {"Label8(2)", K::kLabel, "Frame6", kHelpLine(840), "发布地址：随程序附带"},
    {"Label8(3)", K::kLabel, "Frame6", kHelpLine(1200), "在“原始信息”中使用特定文本："},
    {"Label8(4)", K::kLabel, "Frame6", kHelpLine(1440), "序号（1,2，……）：%i"},
    {"Label8(5)", K::kLabel, "Frame6", kHelpLine(1680), "日期（X年X月X日）：%d"},
    {"Label8(6)", K::kLabel, "Frame6", kHelpLine(1920), "时间（XX:XX:XX）：%t"},
    {"Label8(7)", K::kLabel, "Frame6", kHelpLine(2160), "星期（星期X）：%w"},
    {"Label8(8)", K::kLabel, "Frame6", kHelpLine(2520), "当“次数”为-1时，将执行已选中项目的次数。"},
};

}  // namespace

std::span<const ControlSpec> Form1ControlTable() { return kControls; }

const ControlSpec* FindForm1Control(std::string_view name) {
  const auto found = std::find_if(std::begin(kControls), std::end(kControls),
                                  [name](const ControlSpec& spec) { return spec.name == name; });
  return found == std::end(kControls) ? nullptr : &*found;
}

}  // namespace tavorin
