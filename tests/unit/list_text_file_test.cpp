#include "core/listfiles/list_text_file.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "core/interfaces/memory_list_box.h"
#include "fake_controls.h"
#include "memory_file_system.h"
#include "recording_platform.h"
#include "temp_folder.h"

namespace tavorin {
namespace {

namespace fs = std::filesystem;
using testing::Fill;
using testing::Items;
using testing::Lines;

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
    EXPECT_EQ(file.error, ListFileError::kNone);
    EXPECT_EQ(file.lines, lines) << bytes;
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

// Bytes that are no text: not GB18030, marked UTF-8 that is none, odd UTF-16,
// a cut GBK pair.
TEST(ListTextFileTest, FailuresLeaveTheListAsItWas) {
  testing::TempFolder folder;
  fs::create_directory(folder.Path("folder.txt"));
  folder.Write("file", "x");
  const std::string notText[] = {"good\r\n\xFF\xFF\r\n", "\xEF\xBB\xBF\xC3\xFF\r\n", std::string("\xFF\xFE" "a\0b", 5),
                                 "ok\r\n\xD6", "\x81\x20"};
  std::vector<std::pair<std::u16string, ListFileError>> cases = {
      {folder.Name("missing.txt"), ListFileError::kNotFound},
      {folder.Name("file/below.txt"), ListFileError::kNotFound},
      {folder.Name("folder.txt"), ListFileError::kNotAFile},
      {u"", ListFileError::kNotFound},
  };
  for (std::size_t i = 0; i < std::size(notText); ++i) {
    folder.Write("bad" + std::to_string(i) + ".txt", notText[i]);
    cases.push_back({folder.Name("bad" + std::to_string(i) + ".txt"), ListFileError::kNotText});
  }
  for (const auto& [path, error] : cases) {
    MemoryListBox list;
    Fill(list, {u"keep", u"me"});
    list.SetSelected(1, true);
    list.SetListIndex(1);
    EXPECT_EQ(ReadLinesIntoList(path, list, true).error, error) << testing::ToUtf8(path);
    EXPECT_EQ(Items(list), (Lines{u"keep", u"me"}));
    EXPECT_TRUE(!list.Selected(0) && list.Selected(1) && list.ListIndex() == 1);
  }
#ifndef _WIN32
  if (!testing::RunningAsRoot()) {
    folder.Write("secret.txt", "x\r\n");
    fs::permissions(folder.Path("secret.txt"), fs::perms::none);
    EXPECT_EQ(ReadListFile(folder.Name("secret.txt")).error, ListFileError::kCannotOpen);
  }
  EXPECT_EQ(ReadListFile(u"/proc/self/mem").error, ListFileError::kReadFailed);  // every read fails
  EXPECT_EQ(ReadListFile(u"/dev/null").error, ListFileError::kNotAFile);
#endif
}

}  // namespace
}  // namespace tavorin
