#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tavorin {

inline bool IsSurrogate(char32_t c) { return c >= 0xD800 && c <= 0xDFFF; }

void AppendCodePoint(std::u16string& out, char32_t c);

// Calls `visit` with each code point of the text; a surrogate without its
// partner comes as itself.
template <typename Visit>
void ForEachCodePoint(std::u16string_view text, Visit visit) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char32_t c = text[i];
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
        text[i + 1] <= 0xDFFF) {
      visit(0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00));
    } else {
      visit(c);
    }
  }
}

// Strict UTF-8: no overlong forms, no surrogates, nothing past U+10FFFF.
// Nothing when the bytes are not UTF-8 throughout.
std::optional<std::u16string> DecodeUtf8(std::string_view bytes);

// Pairs of bytes, the first of each pair high when `bigEndian`.
std::u16string DecodeUtf16(std::string_view bytes, bool bigEndian);

}  // namespace tavorin
