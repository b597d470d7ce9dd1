#include "core/run/action_line_findings.h"

#include <algorithm>
#include <string_view>

#include "core/execution/number_rules.h"
#include "core/run/action_keywords.h"

namespace tavorin {
namespace {

constexpr std::size_t kKeywordLength = 4;
// The shortest pause a run makes, whatever a wait line asks for.
constexpr std::int64_t kShortestPauseMs = 50;

bool HasDigit(std::u16string_view text) {
  return std::ranges::any_of(text, [](char16_t c) { return c >= u'0' && c <= u'9'; });
}

bool OnlyBlanks(std::u16string_view text) {
  return std::ranges::all_of(text, [](char16_t c) { return c == u' '; });
}

std::u16string Quoted(std::u16string_view text) {
  std::u16string quoted = u"“";
  quoted.append(text);
  return quoted + u"”";
}

std::optional<std::u16string> WaitFinding(std::u16string_view seconds, const LineTrace& trace,
                                          const std::u16string& problem) {
  const bool negative = ParseLeadingNumber(seconds) < 0;
  if (!trace.messages.empty()) {
    const std::u16string what = !problem.empty() ? problem
                                : OnlyBlanks(seconds) ? u"没有写秒数；"
                                : negative        ? u"秒数不是正数；"
                                                  : u"秒数超出范围：最多 2147483 秒；";
    return what + u"执行时会报" + Quoted(trace.messages.front()) + u"，不等候。";
  }
  if (trace.pausedMs != kShortestPauseMs) return std::nullopt;
  if (!HasDigit(seconds)) return u"秒数不是数字；执行时只等候 0.05 秒。";
  if (negative) return u"秒数不是正数；执行时只等候 0.05 秒。";
  return std::nullopt;
}

std::optional<std::u16string> KeyFinding(std::u16string_view argument, const LineTrace& trace,
                                         const std::u16string& problem) {
  if (!trace.messages.empty()) {
    const bool codeFits = RoundToUInt8(ParseLeadingNumber(argument.substr(0, argument.find(u' ')))).has_value();
    const std::u16string what = !problem.empty()     ? problem
                                : OnlyBlanks(argument) ? u"没有写按键代码；"
                                : codeFits           ? u"修饰键（末尾的数字）要在 0 到 7 之间；"
                                                     : u"按键代码超出范围：最大 255；";
    return what + u"执行时会报" + Quoted(trace.messages.front()) + u"，不按键。";
  }
  // The last key pressed is the line's own; modifiers come before it.
  const std::uint8_t key = trace.keysDown.empty() ? 0 : trace.keysDown.back();
  const std::u16string outcome = key == 0 ? u"执行时不按键。" : u"执行时将按下按键 " + DecimalText(key) + u"。";
  if (!problem.empty()) return problem + outcome;
  if (key == 0) return u"按键代码不对应任何键；" + outcome;
  return std::nullopt;
}

}  // namespace

std::optional<std::u16string> LineFinding(const std::u16string& line, const LineTrace& trace) {
  const std::u16string_view keyword = std::u16string_view(line).substr(0, kKeywordLength);
  // The run takes what follows the keyword's blank, whatever stands there.
  const std::u16string_view rest = std::u16string_view(line).substr(std::min(line.size(), kKeywordLength + 1));
  const bool glued = line.size() > kKeywordLength && line[kKeywordLength] != u' ';
  const std::u16string gluedProblem = glued ? Quoted(keyword) + u"后要空一格；" : u"";
  if (keyword == kWaitKeyword) return WaitFinding(rest, trace, gluedProblem);
  if (keyword == kKeyKeyword) return KeyFinding(rest, trace, gluedProblem);
  if (keyword == kClickKeyword && !trace.messages.empty()) {
    const std::u16string what = glued ? gluedProblem : u"点击位置要写 x 和 y 两个数；";
    return what + u"执行时会报" + Quoted(trace.messages.front()) + u"，在指针当前所在处点击。";
  }
  if (keyword == kInsertKeyword && glued && !trace.clipboardTexts.empty()) {
    return gluedProblem + u"执行时将插入" + Quoted(trace.clipboardTexts.back()) + u"。";
  }
  if (!trace.messages.empty()) return trace.messages.front();
  return std::nullopt;
}

}  // namespace tavorin
