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
// "插入内容 " and the text exactly as typed, even when empty.
std::u16string InsertLine(std::u16string_view typedText);
// "点击位置 X Y", the pixel position truncated toward zero.
std::u16string ClickLine(double x, double y);

}  // namespace tavorin
