// Reading and writing list files: lines, encodings and the GB18030 codec.
#include "core/listfiles/list_text_file.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "core/interfaces/memory_list_box.h"
#include "core/listfiles/gb18030_codec.h"
#include "core/listfiles/list_text_encoding.h"
#include "core/listfiles/unicode_text.h"
#include "fake_controls.h"
#include "memory_file_system.h"
#include "temp_folder.h"

namespace tavorin {
namespace {

namespace fs = std::filesystem;
using testing::Fill;
using testing::Items;
using testing::Lines;
using testing::MemoryFileSystem;

// 中文，镕丟 and the euro sign as code page 936 (GBK) writes them: 镕 and 丟
// are GBK characters outside GB2312, the euro sign is the single byte 0x80.
const std::string kGbkBytes = "\xD6\xD0\xCE\xC4\xA3\xAC\xE9\x46\x81\x47\x80\r\n";
const std::u16string kGbkText = u"中文，镕丟€";

// A CR ends a line; only in a file without any CR does a LF. Blank lines are
// skipped, others kept exactly. UTF-8 with or without its mark, UTF-16 either
// way round by its mark; the mark is not text. Writing ends every item with
// CR LF, in GBK.
TEST(ListTextFileTest, ReadsLinesOfEveryEncodingAndWritesGbkWithCrLf) {
  const std::pair<std::string, Lines> cases[] = {
      {"a\r\nb\rc\nd\r\n\ne", {u"a", u"b", u"c\nd", u"\ne"}},
      {"one\ntwo\r\nthree\n", {u"one\ntwo", u"three\n"}},
      {"one\ntwo\n\n  \nthree", {u"one", u"two", u"three"}},
      {"", {}},
      {"点击位置 100 200\r\n\r\n   \r\n  等候时长 2  \r\n\t\xE3\x80\x80 \r\n\r\n",
       {u"点击位置 100 200", u"  等候时长 2  "}},
      {kGbkBytes + "ab\r\n", {kGbkText, u"ab"}},
      {"\xEF\xBB\xBF中文\r\n한국어 😀", {u"中文", u"한국어 😀"}},
      {std::string("\xFF\xFE\x2D\x4E\r\0\n\0a\0", 10), {u"中", u"a"}},
      {std::string("\xFE\xFF\x4E\x2D\0\r\0\n\0a", 10), {u"中", u"a"}},
  };
  testing::MemoryFileSystem files;
  for (const auto& [bytes, lines] : cases) {
    files.files[u"in.txt"].bytes = bytes;
    const ListFileLines file = ReadListFile(u"in.txt", files);
    EXPECT_EQ(std::pair(file.error, file.lines), std::pair(ListFileError::kNone, lines)) << bytes;
  }
  MemoryListBox list;
  Fill(list, {u"a", u" b ", u"", u"   ", u"c\nd", kGbkText});
  EXPECT_EQ(WriteListLines(u"out.txt", list, files).error, ListFileError::kNone);
  EXPECT_EQ(files.files[u"out.txt"].bytes, "a\r\n b \r\n\r\n   \r\nc\nd\r\n" + kGbkBytes);
}

TEST(IsTxtPathTest, OnlyATxtEndingInAnyCase) {
  for (const char16_t* yes : {u"/a/b.txt", u"B.TXT", u"c.Txt", u".txt", u"文件.tXt"}) EXPECT_TRUE(IsTxtPath(yes));
  for (const char16_t* no : {u"a.text", u"a.tx", u"a.txt.bak", u"txt", u"", u"a_txt"}) EXPECT_FALSE(IsTxtPath(no));
}

// Bytes that are no text (not GB18030, marked UTF-8 that is none, odd UTF-16,
// a cut GBK pair) and paths to no file fail, and leave the list as it was.
TEST(ListTextFileTest, FailuresLeaveTheListAsItWas) {
  testing::MemoryFileSystem files;
  const std::string notText[] = {"good\r\n\xFF\xFF\r\n", "\xEF\xBB\xBF\xC3\xFF\r\n", std::string("\xFF\xFE" "a\0b", 5),
                                 "ok\r\n\xD6", "\x81\x20"};
  for (const std::string& bytes : notText) {
    files.files[u"bad.txt"].bytes = bytes;
    EXPECT_EQ(ReadListFile(u"bad.txt", files).error, ListFileError::kNotText) << bytes;
  }
  MemoryListBox list;
  Fill(list, {u"keep", u"me"});
  list.SetSelected(1, true);
  list.SetListIndex(1);
  EXPECT_EQ(ReadLinesIntoList(u"bad.txt", list, true, files).error, ListFileError::kNotText);
  EXPECT_EQ(Items(list), (Lines{u"keep", u"me"}));
  EXPECT_TRUE(!list.Selected(0) && list.Selected(1) && list.ListIndex() == 1);
  testing::TempFolder folder;
  fs::create_directory(folder.Path("folder.txt"));
  EXPECT_EQ(ReadListFile(folder.Name("missing.txt")).error, ListFileError::kNotFound);
  EXPECT_EQ(ReadListFile(folder.Name("folder.txt")).error, ListFileError::kNotAFile);
}

// Codes of each kind and at the edges of the tables, as the C library's
// converter (which the tables come from) writes them. Bad bytes, and a
// four-byte code no character has, read as nothing.
TEST(Gb18030CodecTest, CodesBothWaysAndBytesThatAreNoGb18030) {
  const std::pair<std::u16string, std::string> cases[] = {
      {u"A", "A"}, {u"中", "\xD6\xD0"}, {u"€", "\x80"},  // the euro sign as code page 936 writes it
      {u"\U00020087", "\xFE\x51"},                      // a supplementary character with a two-byte code
      {u"\u0080", "\x81\x30\x81\x30"}, {u"\uFFFF", "\x84\x31\xA4\x39"},
      {u"\U00010000", "\x90\x30\x81\x30"}, {u"\U0010FFFF", "\xE3\x32\x9A\x35"},
      // Two-byte codes at the table's ends and around the trail gap at 0x7F.
      {u"\u4E02", "\x81\x40"}, {u"\u4E8A", "\x81\x7E"}, {u"\u4E90", "\x81\x80"}, {u"\uE4C5", "\xFE\xFE"},
      // Four-byte runs' ends and the two-byte characters beside them.
      {u"\u00A4", "\xA1\xE8"}, {u"\u00A5", "\x81\x30\x84\x36"}, {u"\u00A6", "\x81\x30\x84\x37"},
      {u"\u00A7", "\xA1\xEC"}, {u"\u2E80", "\x81\x38\xFD\x38"}, {u"\u2E81", "\xFE\x50"},
  };
  for (const auto& [text, bytes] : cases) {
    EXPECT_EQ(EncodeGb18030(text), bytes) << bytes;
    EXPECT_EQ(DecodeGb18030(bytes), text) << bytes;
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

// Short GBK texts whose bytes are valid UTF-8 as well (学校 reads as "ѧУ" in
// UTF-8, 录取 as "¼ȡ") read as GBK; sentences as a Linux editor saves them,
// with and without the byte-order mark, read as UTF-8.
TEST(ListTextEncodingTest, GbkThatIsValidUtf8ReadsAsGbkAndRealUtf8AsUtf8) {
  for (const std::u16string text : {u"学校\r\n医院\r\n系统\r\n", u"录取\r\n", u"路", u"小写", u"些写", u"没", u"git目录",
                                    u"CSV模", u"位为", u"忙 A"}) {
    const std::string gbk = EncodeGb18030(text);
    ASSERT_TRUE(DecodeUtf8(gbk).has_value()) << std::string(text.begin(), text.end());
    EXPECT_EQ(DecodeListFileBytes(gbk), text) << gbk;
  }
  for (const std::string sentence :
       {"今天下午三点在会议室开会，请准时参加。", "请把报告发到我的邮箱：zhangsan@example.com", "温度：25°C，湿度 60%",
        "价格：¥1,280.00（含税）", "第一章　总则", "祝你生日快乐 🎂🎉", "注意事项：①带身份证；②提前十分钟到场。",
        "Café au lait, s'il vous plaît.", "서울특별시 종로구", "東京都渋谷区の天気は晴れです。", "Привет, как дела?",
        "¿Dónde está la estación? ¡Gracias!"}) {
    const std::u16string text = DecodeUtf8(sentence + "\n").value();
    EXPECT_EQ(DecodeListFileBytes(sentence + "\n"), text) << sentence;
    EXPECT_EQ(DecodeListFileBytes("\xEF\xBB\xBF" + sentence + "\n"), text) << sentence;
  }
}

// The private-use characters whose GBK codes GB18030 gave to other
// characters have no code left, nor has a lone surrogate: each one alone
// becomes "?". Lists whose first record begins like UTF-8's byte-order mark
// come back from their file exactly as they were (锘 is EF BB in GBK; with 俊,
// BF A1, or a character from BF 40 to BF 7E after it the bytes begin EF BB BF).
TEST(ListTextEncodingTest, WhatHasNoCodeBecomesQuestionMarksAndAListThatLooksMarkedComesBack) {
  // The first, last and a few between of those characters, then a lone surrogate.
  EXPECT_EQ(EncodeListFileText(u"学\uE78D学\uE796学\uE816学\uE864b\xD800\r\n"),
            "\xD1\xA7?\xD1\xA7?\xD1\xA7?\xD1\xA7?b?\r\n");
  MemoryFileSystem files;
  const auto roundTrip = [&](const Lines& items) {
    MemoryListBox list, read;
    Fill(list, items);
    WriteListLines(u"r.txt", list, files);
    ReadLinesIntoList(u"r.txt", read, false, files);
    EXPECT_EQ(Items(read), items) << files.files[u"r.txt"].bytes;
  };
  for (const std::string second : {"\xBF\xA1", "\xBF\x40", "\xBF\x7E"}) {
    const std::u16string start = std::u16string(u"锘") + DecodeGb18030(second).value();
    roundTrip({start + u"开头", u"b"});
    EXPECT_EQ(files.files[u"r.txt"].bytes.substr(0, 3), "\xEF\xBB\xBF");
    roundTrip({start});
  }
}

}  // namespace
}  // namespace tavorin
