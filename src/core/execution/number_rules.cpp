#include "core/execution/number_rules.h"

#include <algorithm>
#include <cfenv>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace tavorin {
namespace {

bool IsSkipped(char16_t c) { return c == u' ' || c == u'\t' || c == u'\n'; }
bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

// Walks the text while skipping blanks, tabs and line feeds.
class Reader {
 public:
  explicit Reader(std::u16string_view text) : text_(text) { Skip(); }
  bool AtEnd() const { return pos_ >= text_.size(); }
  char16_t Peek() const { return AtEnd() ? u'\0' : text_[pos_]; }
  void Next() {
    ++pos_;
    Skip();
  }

 private:
  void Skip() {
    while (pos_ < text_.size() && IsSkipped(text_[pos_])) ++pos_;
  }
  std::u16string_view text_;
  std::size_t pos_ = 0;
};

int DigitValue(char16_t c) {
  if (IsDigit(c)) return c - u'0';
  if (c >= u'a' && c <= u'f') return c - u'a' + 10;
  if (c >= u'A' && c <= u'F') return c - u'A' + 10;
  return 99;
}

double ReadWholeNumber(Reader& in, int base) {
  // Accumulating in a double cannot overflow into undefined behaviour; a very
  // long number just becomes infinite and fails every later range check.
  double value = 0;
  for (int d = DigitValue(in.Peek()); d < base; d = DigitValue(in.Peek())) {
    value = value * base + d;
    in.Next();
  }
  return value;
}

// Decimal point magnitude of the first significant digit: positive when the
// number is at least 1. Only used to tell overflow from underflow.
long DecimalMagnitude(const std::string& number) {
  const std::size_t ePos = number.find('e');
  const std::string mantissa = number.substr(0, ePos);
  const long exponent = ePos == std::string::npos ? 0 : std::stol(number.substr(ePos + 1));
  const std::size_t point = std::min(mantissa.find('.'), mantissa.size());
  const std::size_t firstSignificant = mantissa.find_first_of("123456789");
  if (firstSignificant == std::string::npos) return std::numeric_limits<long>::min();
  const long position = firstSignificant < point ? static_cast<long>(point - firstSignificant)
                                                 : -static_cast<long>(firstSignificant - point - 1);
  return position + exponent;
}

// from_chars rather than strtod: the program's locale may use a decimal comma,
// and typed numbers always use the point.
double ConvertDecimal(std::string number) {
  bool negative = false;
  if (!number.empty() && (number[0] == '+' || number[0] == '-')) {
    negative = number[0] == '-';
    number.erase(0, 1);
  }
  double value = 0;
  const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
  (void)end;
  if (error == std::errc::result_out_of_range) {
    value = DecimalMagnitude(number) > 0 ? std::numeric_limits<double>::infinity() : 0.0;
  }
  return negative ? -value : value;
}

}  // namespace

double ParseLeadingNumber(std::u16string_view text) {
  Reader in(text);
  if (in.Peek() == u'&') {
    in.Next();
    const char16_t kind = in.Peek();
    if (kind == u'H' || kind == u'h') {
      in.Next();
      return ReadWholeNumber(in, 16);
    }
    if (kind == u'O' || kind == u'o') {
      in.Next();
      return ReadWholeNumber(in, 8);
    }
    return 0;
  }

  // Collect the accepted characters and let strtod do the decimal conversion,
  // which rounds correctly however many digits there are.
  std::string number;
  if (in.Peek() == u'+' || in.Peek() == u'-') {
    number += static_cast<char>(in.Peek());
    in.Next();
  }
  bool anyDigit = false;
  bool seenPoint = false;
  for (;;) {
    const char16_t c = in.Peek();
    if (IsDigit(c)) {
      anyDigit = true;
    } else if (c == u'.' && !seenPoint) {
      seenPoint = true;
    } else {
      break;
    }
    number += static_cast<char>(c);
    in.Next();
  }
  if (!anyDigit) return 0;
  if (in.Peek() == u'E' || in.Peek() == u'e') {
    in.Next();
    char sign = '+';
    if (in.Peek() == u'+' || in.Peek() == u'-') {
      sign = static_cast<char>(in.Peek());
      in.Next();
    }
    // Beyond a few digits the exponent only decides between 0 and infinity;
    // clamping it keeps hostile input cheap.
    long exponent = 0;
    bool anyExponentDigit = false;
    while (IsDigit(in.Peek())) {
      if (exponent < 100000) exponent = exponent * 10 + (in.Peek() - u'0');
      anyExponentDigit = true;
      in.Next();
    }
    if (anyExponentDigit) number += std::string("e") + sign + std::to_string(exponent);
  }
  return ConvertDecimal(number);
}

namespace {

template <typename T>
std::optional<T> RoundTo(double value) {
  if (std::isnan(value)) return std::nullopt;
  // nearbyint honours the current rounding mode, which is round-half-even
  // unless someone changed it; set it explicitly for the duration.
  const int saved = std::fegetround();
  std::fesetround(FE_TONEAREST);
  const double rounded = std::nearbyint(value);
  std::fesetround(saved);
  if (rounded < static_cast<double>(std::numeric_limits<T>::min()) ||
      rounded > static_cast<double>(std::numeric_limits<T>::max())) {
    return std::nullopt;
  }
  return static_cast<T>(rounded);
}

}  // namespace

std::optional<std::int32_t> RoundToInt32(double value) { return RoundTo<std::int32_t>(value); }
std::optional<std::uint8_t> RoundToUInt8(double value) { return RoundTo<std::uint8_t>(value); }

std::int32_t RoundClampedToInt32(double value) {
  if (const auto fits = RoundToInt32(value)) return *fits;
  if (std::isnan(value)) return 0;
  return value < 0 ? std::numeric_limits<std::int32_t>::min() : std::numeric_limits<std::int32_t>::max();
}

std::int32_t ClampToScreen(std::int32_t position, std::int32_t extent) {
  if (position < 0 || extent <= 0) return 0;
  return position >= extent ? extent - 1 : position;
}

std::u16string DecimalText(long long value) {
  const std::string digits = std::to_string(value);
  return {digits.begin(), digits.end()};
}

}  // namespace tavorin
