#include "core/run/text_expansion.h"

#include "core/execution/number_rules.h"
#include "core/replacements/replacement_pair.h"

namespace tavorin {
namespace {

// Calendar fields are never negative; shorter ones get leading zeros.
std::u16string Digits(int value, std::size_t minimumWidth) {
  std::u16string digits = DecimalText(value);
  if (digits.size() < minimumWidth) digits.insert(0, minimumWidth - digits.size(), u'0');
  return digits;
}

std::u16string DateText(const LocalDateTime& now) {
  return Digits(now.year, 1) + u"年" + Digits(now.month, 2) + u"月" + Digits(now.day, 2) + u"日";
}

std::u16string TimeText(const LocalDateTime& now) {
  return Digits(now.hour, 2) + u":" + Digits(now.minute, 2) + u":" + Digits(now.second, 2);
}

}  // namespace

std::u16string ReplaceAll(std::u16string_view text, std::u16string_view from,
                          std::u16string_view to) {
  if (from.empty()) return std::u16string(text);
  std::u16string out;
  std::size_t start = 0;
  for (std::size_t found = text.find(from); found != std::u16string_view::npos;
       found = text.find(from, start)) {
    out.append(text.substr(start, found - start));
    out.append(to);
    start = found + from.size();
  }
  out.append(text.substr(start));
  return out;
}

std::u16string WeekdayText(int weekday) {
  static const char16_t* const kNames[] = {u"星期日", u"星期一", u"星期二", u"星期三",
                                           u"星期四", u"星期五", u"星期六"};
  if (weekday < 1 || weekday > 7) return {};
  return kNames[weekday - 1];
}

std::u16string ExpandRecordText(std::u16string_view text, std::int32_t passNumber,
                                const ListBox& pairs, const Clock& clock) {
  const LocalDateTime now = clock.Now();
  std::u16string result = ReplaceAll(text, u"%i", DecimalText(passNumber));
  result = ReplaceAll(result, u"%d", DateText(now));
  result = ReplaceAll(result, u"%t", TimeText(now));
  result = ReplaceAll(result, u"%w", WeekdayText(now.weekday));

  const int count = pairs.ListCount();
  for (int i = 0; i < count; ++i) {
    const std::u16string item = pairs.List(i);
    // An item without an arrow names no pair; it must not delete its own text.
    if (!IsReplacementPair(item)) continue;
    const ReplacementPair pair = SplitReplacementPair(item);
    result = ReplaceAll(result, pair.oldText, pair.newText);
  }
  return result;
}

}  // namespace tavorin
