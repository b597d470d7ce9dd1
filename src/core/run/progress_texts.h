#pragma once

#include <cstdint>
#include <string>

namespace tavorin {

// The texts of the progress badge, the same on every desktop.
inline constexpr char16_t kBadgeStopHint[] = u"Esc 停止";

// "第 12/500 次".
std::u16string PassText(std::int32_t passNumber, std::int32_t runCount);

// A record as one line of at most `longest` characters: line breaks and tabs
// become blanks, and a long record is cut at a character boundary, so the
// badge's work does not grow with the record.
std::u16string BadgeRecordText(const std::u16string& record, std::size_t longest = 200);

}  // namespace tavorin
