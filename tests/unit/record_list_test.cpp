// The record list, its editor and status line, and the buttons over them.
#include <gtest/gtest.h>

#include <filesystem>

#include "core/interfaces/full_list.h"
#include "form1_fixture.h"

namespace tavorin {
namespace {

using testing::Fill;
using testing::Items;
using testing::Lines;
using RecordListTest = testing::Form1Test;
using namespace std::string_literals;

TEST_F(RecordListTest, CrLfPairsAreRemovedButLoneBreaksStayAndOnlyTheCurrentRecordIsEdited) {
  Fill(list1, {u"x", u"keep"});
  text6.Type(u"typed");  // no current record: nothing changes
  flows.recordEditor().LoadCurrentRecord();
  EXPECT_EQ(Records(), "x|keep| current -1 editor typed");
  ClickRecord(0);
  flows.recordEditor().OnEditorFocus();
  EXPECT_EQ(std::pair(text6.selectionStart, text6.selectionLength), std::pair(0, 1));  // all of "x" selected
  text6.Type(u"line one\r\nline two\r\n");
  EXPECT_EQ(Records(), "line oneline two|keep| current 0 editor line oneline two");
  text6.Type(u"a\rb\nc\n\r");
  EXPECT_EQ(list1.List(0), u"a\rb\nc\n\r");
  text6.Type(u"\r\n");  // a text of only a line break writes nothing
  EXPECT_EQ(Items(list1), (Lines{u"a\rb\nc\n\r", u"keep"}));
}

// Enter, or the keypad's separator, appends an empty, checked, current
// record; not from an empty editor, and not on a full list, which says so.
TEST_F(RecordListTest, EnterAndTheKeypadSeparatorAppendAnEmptyCheckedCurrentRecord) {
  Fill(list1, {u"one", u"two", u"three"});
  ClickRecord(0);
  PressInEditor(RecordEditor::kSeparatorKey);
  EXPECT_EQ(Records(), "one|two|three|*| current 3 editor ");
  PressInEditor(RecordEditor::kEnterKey);  // an empty editor adds nothing
  EXPECT_FALSE(flows.recordEditor().OnEditorKeyDown(65));
  PressInEditor(RecordEditor::kSeparatorKey);  // and types the ","
  PressInEditor(RecordEditor::kEnterKey);
  EXPECT_EQ(Records(), "one|two|three|*,|*| current 4 editor ");
  while (list1.ListCount() < ListBox::kMaxListItems) list1.AddItem(u"r");
  ClickRecord(0);
  PressInEditor(RecordEditor::kEnterKey);
  PressInEditor(RecordEditor::kSeparatorKey);
  EXPECT_EQ(std::pair(list1.ListCount(), list1.ListIndex()), std::pair(ListBox::kMaxListItems, 0));
  EXPECT_EQ(list1.List(0), u"one") << "neither the line break nor the separator's \",\" reaches the record";
  ASSERT_EQ(messages.shown.size(), 2u);
  EXPECT_EQ(messages.shown[0].text, FullListMessage(kRecordListName));
}

TEST_F(RecordListTest, StatusCountsCheckedRecordsAndDisablesTheEmptyEditor) {
  flows.recordEditor().RefreshRecordStatus();
  EXPECT_EQ(std::pair(label9.Caption(), text6.Enabled()), std::pair(u"列表中无项目"s, false));
  Fill(list1, {u"a", u"b", u"c", u"d", u"e"}, true);
  ClickRecord(0);  // the disabled editor drops the focus quietly
  EXPECT_EQ(std::pair(text6.Text(), text6.focused), std::pair(u"a"s, false));
  list1.SetSelected(0, false);
  flows.recordEditor().RefreshRecordStatus();
  EXPECT_EQ(std::pair(label9.Caption(), text6.Enabled()), std::pair(u"4/5"s, true));
}

// Loaded records are checked and none is current, so the editor edits none.
// A drop counts only its first file, and only a .txt one; a file that cannot
// be read leaves the list and says which file; a list takes what it can
// hold and says how much it left out.
TEST_F(RecordListTest, ImportAndDropReplaceTheListByTheCheckedLinesOfTheFirstTxtFile) {
  folder.Write("records.txt", "one\r\n\r\ntwo");
  Fill(list1, {u"old"});
  flows.Click("Command5");  // cancelled
  flows.DropFiles("List1", {folder.Name("records.txt.bak"), folder.Name("records.txt")});
  EXPECT_EQ(Records(), "old| current -1 editor ");
  list1.SetListIndex(0);
  dialogs.openAnswers = {folder.Name("records.txt")};
  flows.Click("Command5");
  text6.Type(u"typed");
  EXPECT_EQ(Records(), "*one|*two| current -1 editor typed");
  folder.Write("other.TXT", "x\r\n");
  list1.SetListIndex(0);
  flows.DropFiles("List1", {folder.Name("other.TXT"), folder.Name("records.txt")});
  EXPECT_EQ(Records(), "*x| current -1 editor typed");
  std::filesystem::create_directory(folder.Path("dir.txt"));
  flows.DropFiles("List1", {folder.Name("dir.txt")});
  EXPECT_EQ(Items(list1), (Lines{u"x"}));
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_NE(messages.shown[0].text.find(folder.Name("dir.txt")), std::u16string::npos);
  std::string bytes;  // blank lines do not count
  for (int i = 0; i < ListBox::kMaxListItems + 12; ++i) bytes += std::to_string(i) + "\r\n \r\n";
  folder.Write("long.txt", bytes);
  dialogs.openAnswers = {folder.Name("long.txt")};
  flows.Click("Command5");
  EXPECT_EQ(list1.SelCount(), ListBox::kMaxListItems);  // all of them, all checked
  EXPECT_EQ(list1.List(ListBox::kMaxListItems - 1), u"32766");
  EXPECT_EQ(messages.shown.back().icon, MessageIcon::kInformation);
  EXPECT_NE(messages.shown.back().text.find(u"有 32779 行，列表最多容纳 32767 项：只载入了前 32767 行，其余 12 行未载入"),
            std::u16string::npos);
}

// Export writes every record, checked or not; with none it asks nothing.
// "新增" appends a checked, current placeholder, and on a full list adds
// nothing and says so; "删除" and "全选"/"全不选" leave no current record and
// an empty editor.
TEST_F(RecordListTest, ExportAddDeleteAndCheckAll) {
  text6.Type(u"draft");
  dialogs.saveAnswers = {folder.Name("out.txt")};
  flows.Click("Command13");
  flows.Click("Command12");  // empty list: the editor is not touched either
  EXPECT_EQ(text6.Text(), u"draft");
  Fill(list1, {u"a"});
  flows.Click("Command14");
  EXPECT_EQ(Records(), "a|*(请输入内容)| current 1 editor (请输入内容)");
  flows.Click("Command13");  // the first export's path is still unused
  EXPECT_EQ(folder.Read("out.txt"), "a\r\n(\xC7\xEB\xCA\xE4\xC8\xEB\xC4\xDA\xC8\xDD)\r\n");
  flows.Click("Command11");
  EXPECT_EQ(Records(), "*a|*(请输入内容)| current -1 editor ");
  text6.Type(u"draft");
  flows.Click("Command15");  // no current record: nothing, not even the editor
  EXPECT_EQ(Records(), "*a|*(请输入内容)| current -1 editor draft");
  list1.SetListIndex(0);
  flows.Click("Command12");
  EXPECT_EQ(Records(), "a|(请输入内容)| current -1 editor ");
  list1.SetListIndex(0);
  flows.Click("Command15");
  EXPECT_EQ(Records(), "(请输入内容)| current -1 editor ");
  while (list1.ListCount() < ListBox::kMaxListItems) list1.AddItem(u"r");
  list1.SetListIndex(0);
  flows.Click("Command14");
  EXPECT_EQ(std::pair(list1.ListCount(), list1.ListIndex()), std::pair(ListBox::kMaxListItems, 0));
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text, u"文本数据列表已满：列表最多容纳 32767 项，这一项未添加。");
}

}  // namespace
}  // namespace tavorin
