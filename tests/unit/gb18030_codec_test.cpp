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

// One code of each kind, and the edges of the four-byte ranges.
TEST(Gb18030CodecTest, CodesOfEachKindBothWays) {
  const std::pair<char32_t, std::string> cases[] = {
      {U'A', "A"},
      {U'中', "\xD6\xD0"},
      {U'€', "\x80"},  // as code page 936 writes it
      {0xFE10, "\xA6\xD9"},
      {0x20087, "\xFE\x51"},  // a supplementary character with a two-byte code
      {0x80, "\x81\x30\x81\x30"},
      {0xA5, "\x81\x30\x84\x36"},
      {0xFFFF, "\x84\x31\xA4\x39"},
      {0x10000, "\x90\x30\x81\x30"},
      {0x10FFFF, "\xE3\x32\x9A\x35"},
  };
  for (const auto& [c, bytes] : cases) {
    EXPECT_EQ(EncodeGb18030(Text(c)), bytes) << std::hex << static_cast<unsigned>(c);
    EXPECT_EQ(DecodeGb18030(bytes), Text(c)) << std::hex << static_cast<unsigned>(c);
  }
  EXPECT_EQ(DecodeGb18030("\xA2\xE3"), u"€");  // GB18030's own code reads too
}

TEST(Gb18030CodecTest, BytesThatAreNoGb18030) {
  for (const std::string bytes : {"\xFF", "a\x81", "\x81\x7F", "\x81\x30\x81", "\x81\x30\x81\x7F",
                                  "\x84\x31\x82\x36",  // a four-byte code no character has
                                  "\xE3\x32\x9A\x36"}) {  // past U+10FFFF
    EXPECT_FALSE(DecodeGb18030(bytes).has_value()) << bytes;
  }
  // Cut off by the end of the text, though valid bytes follow in memory.
  const std::string_view whole = "\xD6\xD0\x81\x30\x81\x30";
  for (std::size_t length : {1, 3, 4, 5}) {
    EXPECT_FALSE(DecodeGb18030(whole.substr(0, length)).has_value()) << length;
  }
}

// UTF-8 as strict as its definition: no overlong forms, no surrogates,
// nothing past U+10FFFF, nothing cut off.
TEST(Utf8DecodingTest, OnlyWellFormedUtf8) {
  for (const std::string bytes : {"\xC1\xBF", "\xE0\x9F\xBF", "\xF0\x8F\xBF\xBF", "\xED\xA0\x80",
                                  "\xED\xBF\xBF", "\xF4\x90\x80\x80", "\xF8\x88\x80\x80\x80", "\x80",
                                  "\xE4\xB8", "\xE4\xB8\x41"}) {
    EXPECT_FALSE(DecodeUtf8(bytes).has_value()) << bytes;
  }
  // Each length's smallest and largest character, and those around the surrogates.
  EXPECT_EQ(DecodeUtf8("\x7F\xC2\x80\xDF\xBF\xE0\xA0\x80\xED\x9F\xBF\xEE\x80\x80\xEF\xBF\xBF"
                       "\xF0\x90\x80\x80\xF4\x8F\xBF\xBF"),
            u"\x7F\u0080\u07FF\u0800\uD7FF\uE000\uFFFF\U00010000\U0010FFFF");
}

#ifdef __linux__
// The tables come from the C library's converter; this checks the codec
// built on them still agrees with it, for every character and every code.
class Gb18030AgainstCLibraryLinuxTest : public ::testing::Test {
 protected:
  ~Gb18030AgainstCLibraryLinuxTest() override {
    iconv_close(toGb_);
    iconv_close(fromGb_);
  }
  static std::string Convert(iconv_t cd, std::string in) {
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    char out[16];
    char* inPtr = in.data();
    char* outPtr = out;
    std::size_t inLeft = in.size();
    std::size_t outLeft = sizeof out;
    if (iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<std::size_t>(-1)) return "?";
    return std::string(out, outPtr);
  }
  std::string ToGb(char32_t c) const {
    return Convert(toGb_, std::string(reinterpret_cast<const char*>(&c), 4));
  }
  std::u16string FromGb(const std::string& bytes) const {
    const std::string utf32 = Convert(fromGb_, bytes);
    if (utf32.size() != 4) return u"none";
    char32_t c = 0;
    utf32.copy(reinterpret_cast<char*>(&c), 4);
    return Text(c);
  }

  iconv_t toGb_ = iconv_open("GB18030", "UTF-32LE");
  iconv_t fromGb_ = iconv_open("UTF-32LE", "GB18030");
};

TEST_F(Gb18030AgainstCLibraryLinuxTest, EveryCharacterIsWrittenAlike) {
  ASSERT_NE(toGb_, reinterpret_cast<iconv_t>(-1));
  int differences = 0;
  for (char32_t c = 0; c <= 0x10FFFF; ++c) {
    if (IsSurrogate(c) || c == U'€') continue;
    if (EncodeGb18030(Text(c)) != ToGb(c) && ++differences < 10) ADD_FAILURE() << std::hex << static_cast<unsigned>(c);
  }
  EXPECT_EQ(differences, 0);
}

TEST_F(Gb18030AgainstCLibraryLinuxTest, EveryCodeIsReadAlike) {
  ASSERT_NE(fromGb_, reinterpret_cast<iconv_t>(-1));
  int differences = 0;
  const auto compare = [&](const std::string& code) {
    const std::u16string ours = DecodeGb18030(code).value_or(u"none");
    if (ours != FromGb(code) && ++differences < 10) ADD_FAILURE() << code;
  };
  for (int lead = 0x81; lead <= 0xFE; ++lead) {
    for (int second = 0x30; second <= 0xFE; ++second) {
      if (second >= 0x3A && second <= 0x3F) continue;
      if (second > 0x39) {
        compare({char(lead), char(second)});
        continue;
      }
      for (int third = 0x81; third <= 0xFE; ++third) {
        for (int fourth = 0x30; fourth <= 0x39; ++fourth) {
          compare({char(lead), char(second), char(third), char(fourth)});
        }
      }
    }
  }
  EXPECT_EQ(differences, 0);
}
#endif

}  // namespace
}  // namespace tavorin
