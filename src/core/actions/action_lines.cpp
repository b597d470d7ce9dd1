#include "core/actions/action_lines.h"

#include <cmath>
#include <string>

#include "core/actions/number_text.h"
#include "core/execution/number_rules.h"

namespace tavorin {
namespace {

std::u16string WithArgument(std::u16string_view keyword, std::u16string_view argument) {
  std::u16string line(keyword);
  line += u' ';
  line += argument;
  return line;
}

}  // namespace

std::u16string KeyLine(std::u16string_view chordText) { return WithArgument(kKeyKeyword, chordText); }

std::u16string WaitLine(std::u16string_view typedText) {
  return WithArgument(kWaitKeyword, NumberText(ParseLeadingNumber(typedText)));
}

std::u16string InsertLine(std::u16string_view typedText) {
  return WithArgument(kInsertKeyword, WithoutLineBreaks(typedText));
}

std::u16string WithoutLineBreaks(std::u16string_view text) {
  std::u16string kept;
  kept.reserve(text.size());
  for (const char16_t c : text) {
    if (c != u'\r' && c != u'\n') kept += c;
  }
  return kept;
}

std::u16string ClickLine(double x, double y) {
  return WithArgument(kClickKeyword, DecimalText(static_cast<long long>(std::trunc(x))) + u' ' +
                                       DecimalText(static_cast<long long>(std::trunc(y))));
}

}  // namespace tavorin
