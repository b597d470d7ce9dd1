#include "core/listfiles/text_plausibility.h"

#include "core/listfiles/gb18030_codec.h"
#include "core/listfiles/unicode_text.h"

namespace tavorin {
namespace {

bool Between(char32_t c, char32_t low, char32_t high) { return c >= low && c <= high; }

bool Among(char32_t c, std::u32string_view set) { return set.find(c) != std::u32string_view::npos; }

bool IsAsciiLetter(char32_t c) { return Between(c, 'A', 'Z') || Between(c, 'a', 'z'); }

// Latin letters with accents and the like.
bool IsAccentedLetter(char32_t c) {
  return (Between(c, 0xC0, 0x24F) && c != 0xD7 && c != 0xF7) || Between(c, 0x1E00, 0x1EFF);
}

bool IsRareLetter(char32_t c) { return Among(c, U"ĸĿŀŉſ"); }

// Alphabets whose words the UTF-8 reading of GBK bytes does not give:
// 0 for none, else one number per alphabet.
int Alphabet(char32_t c) {
  if (IsAsciiLetter(c) || (IsAccentedLetter(c) && !IsRareLetter(c))) return 1;
  if (Between(c, 0x391, 0x3C9)) return 2;  // Greek
  if (Between(c, 0x400, 0x45F)) return 3;  // Cyrillic
  return 0;
}

bool IsHan(char32_t c) {
  return Between(c, 0x4E00, 0x9FFF) || Between(c, 0x3400, 0x4DBF) || Between(c, 0xF900, 0xFAFF) ||
         Between(c, 0x20000, 0x3FFFF);
}

// The cost of a character without regard to its neighbours.
int Cost(char32_t c) {
  if (c == '\t' || c == '\r' || c == '\n' || Between(c, 0x20, 0x7E)) return 6;
  if (c < 0x20 || c == 0x7F) return 25;
  if (Between(c, 0x80, 0x9F) || c == 0xFFFD || c == 0xFFFE || c == 0xFFFF) return 40;
  if (Between(c, 0xE000, 0xF8FF) || c >= 0xF0000) return 30;  // private use
  if (Among(c, U"，。、；：？！“”‘’（）《》【】…—　")) return 8;
  if (Among(c, U"«»")) return 9;
  if (Among(c, U"©®")) return 10;
  if (Among(c, U"\u00A0°±×÷£¥§µ¿¡¼½¾²³·")) return 12;
  if (Between(c, 0xC0, 0xFF) && IsAccentedLetter(c)) return 14;
  // GB2312 by its rows: common characters, rarer ones, symbols.
  const unsigned code = Gb18030TwoByteCode(c);
  const unsigned lead = code >> 8;
  if ((code & 0xFF) >= 0xA1) {
    if (Between(lead, 0xB0, 0xD7)) return 12;
    if (Between(lead, 0xD8, 0xF7)) return 16;
    if (Between(lead, 0xA1, 0xA9)) return 14;
  }
  if (Between(c, 0xFF01, 0xFF5E)) return 11;  // full-width ASCII
  if (Between(c, 0x100, 0x17F) && !IsRareLetter(c)) return 16;
  if (Between(c, 0xAC00, 0xD7A3) || Between(c, 0x3040, 0x30FF)) return 16;  // Hangul, kana
  if (Between(c, 0x2000, 0x2BFF) || Between(c, 0x3000, 0x303F) || Between(c, 0x1F000, 0x1FAFF)) {
    return 15;  // punctuation, symbols, emoji
  }
  if (IsHan(c)) return 20;
  return 20;
}

// Neighbours change a few costs: letters are common next to letters of
// their alphabet (accented Latin ones the most), a Han character between
// Latin letters is not.
int Cost(char32_t before, char32_t c, char32_t after) {
  const int alphabet = Alphabet(c);
  if ((alphabet > 1 || (alphabet == 1 && c >= 0x80)) &&
      (Alphabet(before) == alphabet || Alphabet(after) == alphabet)) {
    if (Between(c, 0xC0, 0xFF)) return 8;
    if (alphabet > 1 || Between(c, 0x100, 0x17F) || Among(c, U"ơưǎǐǒǔșțȘȚ")) return 12;
    return 18;
  }
  if (IsHan(c) && IsAsciiLetter(before) && IsAsciiLetter(after)) return Cost(c) + 6;
  if (Among(c, U"¿¡") && Alphabet(after) == 1) return 8;
  return Cost(c);
}

}  // namespace

long Implausibility(std::u16string_view text) {
  // Each character is costed once its successor is known.
  long total = 0;
  char32_t before = 0;
  char32_t current = 0;
  bool started = false;
  ForEachCodePoint(text, [&](char32_t c) {
    if (started) total += Cost(before, current, c);
    before = started ? current : 0;
    current = c;
    started = true;
  });
  if (started) total += Cost(before, current, 0);
  return total;
}

}  // namespace tavorin
