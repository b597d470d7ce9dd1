#include "core/actions/number_text.h"

#include <array>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace tavorin {
namespace {

constexpr int kSignificantDigits = 15;

}  // namespace

std::u16string NumberText(double value) {
  // to_chars, not printf: the program's locale may write a decimal comma.
  if (value == 0) value = 0;  // -0 reads as 0 and is written so
  if (std::isinf(value)) {
    // The largest value at 15 digits; it reads back as infinite again.
    value = std::copysign(std::numeric_limits<double>::max(), value);
  }
  std::array<char, 64> buffer{};
  const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                    std::chars_format::general, kSignificantDigits);
  std::u16string text;
  for (const char* c = buffer.data(); c != result.ptr; ++c) {
    text += *c == 'e' ? u'E' : static_cast<char16_t>(*c);
  }
  return text;
}

}  // namespace tavorin
