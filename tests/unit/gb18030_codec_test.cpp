#include "core/listfiles/gb18030_codec.h"

#include <gtest/gtest.h>

#ifdef __linux__
#include <iconv.h>
#endif

#include <string>

#include "core/listfiles/unicode_text.h"

namespace tavorin {
namespace {

std::u16string Text(char32_t c) {
  std::u16string text;
  AppendCodePoint(text, c);
  return text;
}

// One code of each kind and the four-byte range's ends; every other character
// is compared with the C library's converter below. Bad bytes, and a
// four-byte code no character has, read as nothing.
TEST(Gb18030CodecTest, CodesBothWaysAndBytesThatAreNoGb18030) {
  const std::pair<char32_t, std::string> cases[] = {
      {U'A', "A"}, {U'中', "\xD6\xD0"}, {U'€', "\x80"},  // the euro sign as code page 936 writes it
      {0x20087, "\xFE\x51"},                             // a supplementary character with a two-byte code
      {0x80, "\x81\x30\x81\x30"}, {0xFFFF, "\x84\x31\xA4\x39"}, {0x10FFFF, "\xE3\x32\x9A\x35"},
  };
  for (const auto& [c, bytes] : cases) {
    EXPECT_EQ(EncodeGb18030(Text(c)), bytes) << std::hex << static_cast<unsigned>(c);
    EXPECT_EQ(DecodeGb18030(bytes), Text(c)) << std::hex << static_cast<unsigned>(c);
  }
  EXPECT_EQ(DecodeGb18030("\xA2\xE3"), u"€");  // GB18030's own code reads too
  for (const std::string bytes :
       {"\xFF", "a\x81", "\x81\x7F", "\x81\x30\x81\x7F", "\xE3\x32\x9A\x36", "\x84\x31\x82\x36"}) {
    EXPECT_FALSE(DecodeGb18030(bytes).has_value()) << bytes;
  }
  // Cut off by the end of the text, though valid bytes follow in memory.
  const std::string_view whole = "\xD6\xD0\x81\x30\x81\x30";
  for (std::size_t length : {1, 3, 4, 5}) EXPECT_FALSE(DecodeGb18030(whole.substr(0, length))) << length;
}

// No overlong forms, no surrogates, nothing past U+10FFFF, nothing cut off.
TEST(Utf8DecodingTest, OnlyWellFormedUtf8) {
  for (const std::string bytes : {"\xC1\xBF", "\xE0\x9F\xBF", "\xF0\x8F\xBF\xBF", "\xED\xA0\x80", "\xED\xBF\xBF",
                                  "\xF4\x90\x80\x80", "\xF8\x88\x80\x80\x80", "\x80", "\xE4\xB8", "\xE4\xB8\x41"}) {
    EXPECT_FALSE(DecodeUtf8(bytes).has_value()) << bytes;
  }
  // Each length's smallest and largest character, and those around the surrogates.
  EXPECT_EQ(DecodeUtf8("\x7F\xC2\x80\xDF\xBF\xE0\xA0\x80\xED\x9F\xBF\xEE\x80\x80\xEF\xBF\xBF"
                       "\xF0\x90\x80\x80\xF4\x8F\xBF\xBF"),
            u"\x7F\u0080\u07FF\u0800\uD7FF\uE000\uFFFF\U00010000\U0010FFFF");
}

#ifdef __linux__
// The tables come from the C library's converter: the codec must still write
// every character as it does, and read each code back.
TEST(Gb18030AgainstCLibraryLinuxTest, EveryCharacterIsWrittenAndReadAlike) {
  const iconv_t toGb = iconv_open("GB18030", "UTF-32LE");
  ASSERT_NE(toGb, reinterpret_cast<iconv_t>(-1));
  int differences = 0;
  for (char32_t c = 0; c <= 0x10FFFF; ++c) {
    if (IsSurrogate(c) || c == U'€') continue;
    char32_t in = c;
    char out[8];
    char *inPtr = reinterpret_cast<char*>(&in), *outPtr = out;
    std::size_t inLeft = sizeof in, outLeft = sizeof out;
    const bool failed = iconv(toGb, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<std::size_t>(-1);
    const std::string ours = EncodeGb18030(Text(c));
    const bool readsBack = ours == "?" || DecodeGb18030(ours) == Text(c);
    if ((ours != (failed ? "?" : std::string(out, outPtr)) || !readsBack) && ++differences < 10) {
      ADD_FAILURE() << std::hex << static_cast<unsigned>(c);
    }
  }
  iconv_close(toGb);
  EXPECT_EQ(differences, 0);
}
#endif

}  // namespace
}  // namespace tavorin
