#include "core/actions/screen_wait_line.h"

#include <limits>

#include "core/actions/screen_fingerprint.h"
#include "core/execution/number_rules.h"

namespace tavorin {
namespace {

// A day: longer than any page takes to load, short enough to be a mistake.
constexpr double kLongestWaitSeconds = 86400;
constexpr std::int64_t kWidestArea = 32767;

const std::u16string kShape = u"等候画面应写作“等候画面 X Y 宽 高 秒数 画面数据”。";
const std::u16string kBadPosition = u"等候画面的位置须为整数。";
const std::u16string kBadSize = u"等候画面的宽和高须为 1 到 32767 的整数。";
const std::u16string kBadSeconds = u"等候画面的秒数须大于 0，最多 86400。";
const std::u16string kBadData = u"等候画面的画面数据不完整或已损坏。";

std::vector<std::u16string_view> Words(std::u16string_view text) {
  std::vector<std::u16string_view> words;
  std::size_t at = 0;
  while (at < text.size()) {
    const std::size_t end = std::min(text.find(u' ', at), text.size());
    if (end > at) words.push_back(text.substr(at, end - at));
    at = end + 1;
  }
  return words;
}

// A whole number in decimal with an optional "-", nothing else.
std::optional<std::int64_t> WholeNumber(std::u16string_view text) {
  const bool negative = !text.empty() && text[0] == u'-';
  if (negative) text.remove_prefix(1);
  if (text.empty() || text.size() > 10) return std::nullopt;
  std::int64_t value = 0;
  for (const char16_t c : text) {
    if (c < u'0' || c > u'9') return std::nullopt;
    value = value * 10 + (c - u'0');
  }
  return negative ? -value : value;
}

// Digits with at most one "." among them.
std::optional<double> Seconds(std::u16string_view text) {
  bool point = false, digit = false;
  double value = 0, scale = 1;
  for (const char16_t c : text) {
    if (c == u'.' && !point) {
      point = true;
    } else if (c >= u'0' && c <= u'9') {
      digit = true;
      if (point) scale /= 10;
      value = point ? value + (c - u'0') * scale : value * 10 + (c - u'0');
    } else {
      return std::nullopt;
    }
  }
  return digit ? std::optional(value) : std::nullopt;
}

bool FitsInt32(std::int64_t v) {
  return v >= std::numeric_limits<std::int32_t>::min() && v <= std::numeric_limits<std::int32_t>::max();
}

}  // namespace

ScreenWaitReading ReadScreenWaitLine(std::u16string_view line) {
  if (!line.starts_with(kScreenWaitKeyword) || line.substr(kScreenWaitKeyword.size(), 1) != u" ") {
    return {std::nullopt, kShape};
  }
  const auto words = Words(line.substr(kScreenWaitKeyword.size()));
  if (words.size() != 6) return {std::nullopt, kShape};
  const auto x = WholeNumber(words[0]), y = WholeNumber(words[1]);
  if (!x || !y || !FitsInt32(*x) || !FitsInt32(*y)) return {std::nullopt, kBadPosition};
  const auto w = WholeNumber(words[2]), h = WholeNumber(words[3]);
  if (!w || !h || *w < 1 || *h < 1 || *w > kWidestArea || *h > kWidestArea) return {std::nullopt, kBadSize};
  const auto seconds = Seconds(words[4]);
  if (!seconds || *seconds <= 0 || *seconds > kLongestWaitSeconds) return {std::nullopt, kBadSeconds};
  ScreenWait wait;
  wait.area = {static_cast<std::int32_t>(*x), static_cast<std::int32_t>(*y), static_cast<std::int32_t>(*w),
               static_cast<std::int32_t>(*h)};
  const FingerprintGrid grid = GridFor(wait.area.width, wait.area.height);
  auto cells = DecodeFingerprint(words[5], std::size_t(grid.columns) * grid.rows);
  if (!cells) return {std::nullopt, kBadData};
  wait.secondsText = words[4];
  wait.seconds = *seconds;
  wait.fingerprint = std::move(*cells);
  return {std::move(wait), {}};
}

std::u16string ScreenWaitLine(const ScreenRect& area, const std::vector<std::uint32_t>& pixels,
                              std::u16string_view seconds) {
  return std::u16string(kScreenWaitKeyword) + u" " + DecimalText(area.left) + u" " + DecimalText(area.top) + u" " +
         DecimalText(area.width) + u" " + DecimalText(area.height) + u" " + std::u16string(seconds) + u" " +
         EncodeFingerprint(TakeFingerprint(pixels, area.width, area.height));
}

}  // namespace tavorin
