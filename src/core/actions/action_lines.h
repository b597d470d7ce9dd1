#pragma once

#include <string>
#include <string_view>

#include "core/run/action_keywords.h"

namespace tavorin {

// The action lines that the buttons, the entry dialogs and the position
// picker append to the action list.

inline constexpr std::u16string_view kCopyLine = kCopyKeyword;
inline constexpr std::u16string_view kPasteLine = kPasteKeyword;

// "按下按键 " and the chord text the key dialog shows.
std::u16string KeyLine(std::u16string_view chordText);
// "等候时长 " and the number read from the typed text, 0 when it holds none.
std::u16string WaitLine(std::u16string_view typedText);
// "插入内容 " and the text as typed, even when empty; a line break in it
// would split the line in an action file, so CR and LF are left out.
std::u16string InsertLine(std::u16string_view typedText);
// The text without any CR or LF: what a one-line text box keeps of a paste.
std::u16string WithoutLineBreaks(std::u16string_view text);
// "点击位置 X Y", the pixel position truncated toward zero.
std::u16string ClickLine(double x, double y);

}  // namespace tavorin
