#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace tavorin {

// The main window as designed: every control with its name, kind, parent,
// rectangle in twips, caption and font. Each front end builds its window from
// this one table, so the two cannot drift apart. Texts are UTF-8.

enum class ControlKind {
  kTabStrip,
  kPage,           // container laid over the tab strip's body, white
  kFrame,          // captioned group box, white
  kButton,
  kLabel,
  kTextBox,        // single line
  kRecordEditor,   // multi-line text box with a vertical scroll bar
  kListBox,        // plain, single selection
  kCheckListBox,   // a check box in front of every row
  kOptionButton,   // the option buttons of one parent form one group
  kDropDownList,   // fixed items, no free typing
};

// Position relative to the parent's client area, and size, in twips.
struct TwipRect {
  int left = 0;
  int top = 0;
  int width = 0;   // 0 for a label: as wide as its text
  int height = 0;  // 0 for a drop-down list: the system's own height
};

enum ControlFlag : std::uint8_t {
  kNoFlags = 0,
  kHidden = 1,        // created hidden (working storage, pages 1 to 3)
  kAcceptsFiles = 2,  // files may be dropped on it
  kChosen = 4,        // option button chosen at start
  kWordWrap = 8,      // label text wrapped to the box
};

struct ControlSpec {
  std::string_view name;    // design name; arrays as "Command6(0)"
  ControlKind kind;
  std::string_view parent;  // "Form1" or an earlier control of the table
  TwipRect rect;
  std::string_view caption;  // caption, or a text box's initial text
  double fontPoints = 9.0;
  std::uint8_t flags = kNoFlags;
  // Items of a drop-down list, in order; none is chosen at start.
  std::span<const std::string_view> items = {};

  bool Has(ControlFlag flag) const { return (flags & flag) != 0; }
};

inline constexpr std::string_view kForm1Name = "Form1";
inline constexpr std::string_view kForm1Caption = "Tavorin";
// Outer size of the window, frame included; the window cannot be resized.
inline constexpr int kForm1OuterWidth = 4920;
inline constexpr int kForm1OuterHeight = 7065;

inline constexpr std::string_view kUiFontFamily = "微软雅黑";
inline constexpr double kUiFontPoints = 9.0;
inline constexpr double kEditorFontPoints = 10.5;

inline constexpr int kForm1PageCount = 4;
// Tab n (from 0) shows page "PicPage(n)".
inline constexpr std::string_view kTabCaptions[kForm1PageCount] = {"文本数据", "修改和调节",
                                                                   "动作和控制", "选项"};

// Interval of Timer1, which refreshes the record status.
inline constexpr int kStatusTimerMs = 100;

// Parents come before their children; siblings in the order they are created.
std::span<const ControlSpec> Form1ControlTable();

// The control of that name, or null.
const ControlSpec* FindForm1Control(std::string_view name);

inline constexpr int kTwipsPerInch = 1440;

// Pixels at `dpi` dots per inch, rounded down: 15 twips make a pixel at 96.
constexpr int TwipsToPixels(int twips, int dpi = 96) { return twips * dpi / kTwipsPerInch; }

}  // namespace tavorin
