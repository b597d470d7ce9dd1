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

// 锘 is EF BB in GBK, the start of UTF-8's byte-order mark; with 俊 (BF A1)
// or a character from BF 40 to BF 7E after it the bytes begin EF BB BF.
TEST(ListTextEncodingTest, TextBeginningLikeAByteOrderMarkReadsBackAsWritten) {
  MemoryFileSystem files;
  for (const std::string second : {"\xBF\xA1", "\xBF\x40", "\xBF\x7E"}) {
    const std::u16string start = u"锘" + DecodeGb18030(second).value();
    for (const Lines& items : {Lines{start + u"开头", u"b"}, Lines{start}}) {
      MemoryListBox list;
      Fill(list, items);
      ASSERT_EQ(WriteListLines(u"f.txt", list, files).error, ListFileError::kNone);
      EXPECT_EQ(files.files[u"f.txt"].bytes.substr(0, 3), "\xEF\xBB\xBF");
      MemoryListBox read;
      ASSERT_EQ(ReadLinesIntoList(u"f.txt", read, false, files).error, ListFileError::kNone);
      EXPECT_EQ(Items(read), items);
    }
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

// Random lists of short records, from GB2312, ASCII and characters GBK
// lacks, come back from their file exactly as they were.
TEST(ListTextEncodingTest, ExportThenImportGivesBackEveryRandomList) {
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
  MemoryFileSystem files;
  int failures = 0;
  for (int round = 0; round < 100000; ++round) {
    MemoryListBox list;
    for (int records = 1 + random() % 4; records > 0; --records) {
      std::u16string record;
      for (int length = 1 + random() % 6; length > 0; --length) AppendCodePoint(record, pick());
      if (!IsBlankLine(record)) list.AddItem(record);
    }
    WriteListLines(u"r.txt", list, files);
    MemoryListBox read;
    ReadLinesIntoList(u"r.txt", read, false, files);
    if (Items(read) != Items(list) && ++failures < 5) ADD_FAILURE() << files.files[u"r.txt"].bytes;
  }
  EXPECT_EQ(failures, 0);
}

}  // namespace
}  // namespace tavorin
