#include "core/listfiles/list_text_encoding.h"

#include <gtest/gtest.h>

#include <random>

#include "core/interfaces/memory_list_box.h"
#include "core/listfiles/gb18030_codec.h"
#include "core/listfiles/list_text_file.h"
#include "core/listfiles/unicode_text.h"
#include "fake_controls.h"
#include "memory_file_system.h"

namespace tavorin {
namespace {

using testing::Fill;
using testing::Items;
using testing::Lines;
using testing::MemoryFileSystem;

std::u16string Text(char32_t c) {
  std::u16string text;
  AppendCodePoint(text, c);
  return text;
}

// Codes of each kind and at the edges of the tables, as the C library's
// converter (which the tables come from) writes them. Bad bytes, and a
// four-byte code no character has, read as nothing.
TEST(Gb18030CodecTest, CodesBothWaysAndBytesThatAreNoGb18030) {
  const std::pair<char32_t, std::string> cases[] = {
      {U'A', "A"}, {U'中', "\xD6\xD0"}, {U'€', "\x80"},  // the euro sign as code page 936 writes it
      {0x20087, "\xFE\x51"},                             // a supplementary character with a two-byte code
      {0x80, "\x81\x30\x81\x30"}, {0xFFFF, "\x84\x31\xA4\x39"}, {0x10000, "\x90\x30\x81\x30"},
      {0x10FFFF, "\xE3\x32\x9A\x35"},
      // Two-byte codes at the table's ends and around the trail gap at 0x7F.
      {0x4E02, "\x81\x40"}, {0x4E8A, "\x81\x7E"}, {0x4E90, "\x81\x80"}, {0xE4C5, "\xFE\xFE"},
      // Four-byte runs' ends and the two-byte characters beside them.
      {0xA4, "\xA1\xE8"}, {0xA5, "\x81\x30\x84\x36"}, {0xA6, "\x81\x30\x84\x37"}, {0xA7, "\xA1\xEC"},
      {0x2E80, "\x81\x38\xFD\x38"}, {0x2E81, "\xFE\x50"},
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

// Short GBK texts whose bytes are valid UTF-8 as well: 学校 reads as "ѧУ"
// in UTF-8, 录取 as "¼ȡ", 小写 as "Сд".
TEST(ListTextEncodingTest, GbkTextThatIsValidUtf8ReadsAsGbk) {
  for (const std::u16string text :
       {u"学校\r\n医院\r\n系统\r\n", u"录取\r\n", u"路", u"小写", u"些写", u"没", u"git目录",
        u"CSV模", u"位为", u"忙 A"}) {
    const std::string gbk = EncodeGb18030(text);
    ASSERT_TRUE(DecodeUtf8(gbk).has_value()) << std::string(text.begin(), text.end());
    EXPECT_EQ(DecodeListFileBytes(gbk), text) << gbk;
  }
}

// Sentences as people write them, saved by a Linux editor in UTF-8 (with and
// without the byte-order mark).
TEST(ListTextEncodingTest, RealUtf8SentencesReadAsUtf8) {
  const char* const sentences[] = {
      "今天下午三点在会议室开会，请准时参加。",
      "请把报告发到我的邮箱：zhangsan@example.com",
      "温度：25°C，湿度 60%",
      "价格：¥1,280.00（含税）",
      "第一章　总则",
      "祝你生日快乐 🎂🎉",
      "网址：https://www.example.cn/path?q=1",
      "注意事项：①带身份证；②提前十分钟到场。",
      "Café au lait, s'il vous plaît.",
      "Größe: 42, Farbe: grün",
      "서울특별시 종로구",
      "東京都渋谷区の天気は晴れです。",
      "Привет, как дела?",
      "ąę — zażółć gęślą jaźń",
      "éèêë",
  };
  for (const char* sentence : sentences) {
    const std::string bytes = std::string(sentence) + "\n";
    const std::u16string text = DecodeUtf8(bytes).value();
    EXPECT_EQ(DecodeListFileBytes(bytes), text) << sentence;
    EXPECT_EQ(DecodeListFileBytes("\xEF\xBB\xBF" + bytes), text) << sentence;
  }
}

// The private-use characters whose GBK codes GB18030 gave to other
// characters have no code left, nor has a lone surrogate: each one alone
// becomes "?".
TEST(ListTextEncodingTest, CharactersWithoutACodeBecomeQuestionMarksOneByOne) {
  const char16_t withoutCode[] = {0xE78D, 0xE796, 0xE816, 0xE864};  // the first, last and a few between
  std::u16string text;
  std::string expected;
  for (char16_t c : withoutCode) {
    text += u"学" + std::u16string(1, c);
    expected += "\xD1\xA7?";
  }
  text += u"b" + std::u16string(1, char16_t(0xD800));
  EXPECT_EQ(EncodeListFileText(text + u"\r\n"), expected + "b?\r\n");
}

// Lists come back from their file exactly as they were: lists whose first
// record begins like UTF-8's byte-order mark (锘 is EF BB in GBK; with 俊,
// BF A1, or a character from BF 40 to BF 7E after it the bytes begin
// EF BB BF), then random lists of short records from GB2312, ASCII and
// characters GBK lacks.
TEST(ListTextEncodingTest, ExportThenImportGivesBackEveryList) {
  MemoryFileSystem files;
  int failures = 0;
  const auto roundTrip = [&](const Lines& items) {
    MemoryListBox list, read;
    Fill(list, items);
    WriteListLines(u"r.txt", list, files);
    ReadLinesIntoList(u"r.txt", read, false, files);
    if (Items(read) != items && ++failures < 5) ADD_FAILURE() << files.files[u"r.txt"].bytes;
  };
  for (const std::string second : {"\xBF\xA1", "\xBF\x40", "\xBF\x7E"}) {
    const std::u16string start = u"锘" + DecodeGb18030(second).value();
    roundTrip({start + u"开头", u"b"});
    EXPECT_EQ(files.files[u"r.txt"].bytes.substr(0, 3), "\xEF\xBB\xBF");
    roundTrip({start});
  }
  std::vector<char32_t> gb2312, outsideGbk;  // GB2312 and the few GBK added in its rows
  for (int lead = 0xA1; lead <= 0xF7; ++lead) {
    for (int trail = 0xA1; trail <= 0xFE; ++trail) {
      const auto text = DecodeGb18030(std::string{char(lead), char(trail)});
      // Not the codes GB2312 left free: private use, or vertical forms now.
      if (text && text->size() == 1 && ((*text)[0] < 0xE000 || (*text)[0] > 0xFE1F)) gb2312.push_back((*text)[0]);
    }
  }
  for (char16_t c = 0x80; c < 0xFFFF; ++c) {
    if (!IsSurrogate(c) && Gb18030TwoByteCode(c) == 0 && EncodeGb18030(std::u16string(1, c)) != "?") {
      outsideGbk.push_back(c);
    }
  }
  ASSERT_GE(gb2312.size(), 7445u);
  std::mt19937 random(20231107);
  const auto pick = [&]() -> char32_t {
    switch (random() % 4) {
      case 0: return gb2312[random() % gb2312.size()];
      case 1: return U' ' + random() % 95;
      case 2: return outsideGbk[random() % outsideGbk.size()];
      default: return 0x10000 + random() % 0x100000;
    }
  };
  for (int round = 0; round < 100000; ++round) {
    Lines items;
    for (int records = 1 + random() % 4; records > 0; --records) {
      std::u16string record;
      for (int length = 1 + random() % 6; length > 0; --length) AppendCodePoint(record, pick());
      if (!IsBlankLine(record)) items.push_back(record);
    }
    roundTrip(items);
  }
  EXPECT_EQ(failures, 0);
}

}  // namespace
}  // namespace tavorin
