#pragma once

#include <string_view>

namespace tavorin {

// The keywords that open the six kinds of action line: the first four
// characters decide what a line does.
inline constexpr std::u16string_view kCopyKeyword = u"复制内容";
inline constexpr std::u16string_view kPasteKeyword = u"粘贴内容";
inline constexpr std::u16string_view kClickKeyword = u"点击位置";
inline constexpr std::u16string_view kKeyKeyword = u"按下按键";
inline constexpr std::u16string_view kWaitKeyword = u"等候时长";
inline constexpr std::u16string_view kInsertKeyword = u"插入内容";

// In the order a run compares them.
inline constexpr std::u16string_view kActionKeywords[] = {kCopyKeyword, kPasteKeyword, kClickKeyword,
                                                          kKeyKeyword,  kWaitKeyword,  kInsertKeyword};

}  // namespace tavorin
