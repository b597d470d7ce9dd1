#include "core/run/progress_texts.h"

#include <algorithm>

#include "core/execution/number_rules.h"

namespace tavorin {

std::u16string PassText(std::int32_t passNumber, std::int32_t runCount) {
  return u"第 " + DecimalText(passNumber) + u"/" + DecimalText(runCount) + u" 次";
}

std::u16string BadgeRecordText(const std::u16string& record, std::size_t longest) {
  std::size_t length = std::min(record.size(), longest);
  // Never half of a surrogate pair.
  if (length < record.size() && length > 0 && record[length - 1] >= 0xD800 && record[length - 1] <= 0xDBFF) {
    --length;
  }
  std::u16string line = record.substr(0, length);
  for (char16_t& c : line) {
    if (c < u' ' || c == 0x2028 || c == 0x2029) c = u' ';
  }
  return line;
}

}  // namespace tavorin
