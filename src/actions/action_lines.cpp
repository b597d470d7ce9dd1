#include "actions/action_lines.h"

#include <cmath>
#include <string>

#include "actions/number_text.h"
#include "execution/number_rules.h"

namespace tavorin {
namespace {

std::u16string WithArgument(std::u16string_view keyword, std::u16string_view argument) {
  std::u16string line(keyword);
  line += u' ';
  line += argument;
  return line;
}

}  // namespace

std::u16string KeyLine(std::u16string_view chordText) { return WithArgument(u"按下按键", chordText); }

std::u16string WaitLine(std::u16string_view typedText) {
  return WithArgument(u"等候时长", NumberText(ParseLeadingNumber(typedText)));
}

std::u16string InsertLine(std::u16string_view typedText) {
  return WithArgument(u"插入内容", typedText);
}

std::u16string ClickLine(double x, double y) {
  return WithArgument(u"点击位置", DecimalText(static_cast<long long>(std::trunc(x))) + u' ' +
                                       DecimalText(static_cast<long long>(std::trunc(y))));
}

}  // namespace tavorin
