#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "core/run/clock.h"
#include "core/interfaces/list_box.h"

namespace tavorin {

// Replaces every occurrence of `from`, leftmost first, in one scan: the scan
// goes on behind each replacement, so inserted text is never examined again.
// An empty `from` changes nothing.
std::u16string ReplaceAll(std::u16string_view text, std::u16string_view from,
                          std::u16string_view to);

// "星期日" for 1 up to "星期六" for 7; empty for any other number.
std::u16string WeekdayText(int weekday);

// A record text as it goes onto the clipboard: the placeholders %i, %d, %t
// and %w (in that order, all from one clock reading), then every replacement
// pair of `pairs` from top to bottom, each acting on the result of the last.
std::u16string ExpandRecordText(std::u16string_view text, std::int32_t passNumber,
                                const ListBox& pairs, const Clock& clock);

}  // namespace tavorin
