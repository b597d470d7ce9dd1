#include <gtest/gtest.h>

#include <filesystem>

#include "core/actions/action_list_upkeep.h"
#include "fake_controls.h"
#include "fake_file_dialogs.h"
#include "fake_message_boxes.h"
#include "core/records/record_upkeep.h"
#include "temp_folder.h"
#include "core/interfaces/memory_list_box.h"

namespace tavorin {
namespace {

using testing::FakeFileDialogs;
using testing::FakeLabel;
using testing::FakeMessageBoxes;
using testing::FakeTextBox;
using testing::Fill;
using testing::Items;
using testing::Lines;
using testing::TempFolder;

class RecordUpkeepTest : public ::testing::Test {
 protected:
  RecordUpkeepTest() {
    editor.onChange = [this] { editorLogic.OnEditorChange(); };
    folder.Write("records.txt", "one\r\n\r\n  two  \r\n   \r\nthree");
  }

  void ExpectUnchanged(const Lines& texts) {
    EXPECT_EQ(Items(records), texts);
    EXPECT_EQ(records.SelCount(), 0);
  }

  TempFolder folder;
  MemoryListBox records;
  FakeTextBox editor;
  FakeLabel status;
  FakeFileDialogs dialogs;
  FakeMessageBoxes messages;
  RecordEditor editorLogic{records, editor, status, messages};
  RecordUpkeep upkeep{records, editor, editorLogic, dialogs, messages};
};

TEST_F(RecordUpkeepTest, ImportReplacesTheListByTheCheckedLinesUnlessCancelled) {
  Fill(records, {u"old"});
  upkeep.ImportRecordFile();  // cancelled
  EXPECT_EQ(dialogs.openCount, 1);
  ExpectUnchanged({u"old"});
  records.SetListIndex(0);
  editor.SetText(u"old");
  dialogs.openAnswers = {folder.Name("records.txt")};
  upkeep.ImportRecordFile();
  EXPECT_EQ(Items(records), (Lines{u"one", u"  two  ", u"three"}));
  EXPECT_EQ(records.SelCount(), 3);
  EXPECT_EQ(records.ListIndex(), -1);
  editor.SetText(u"typed");  // edits no record now
  EXPECT_EQ(Items(records), (Lines{u"one", u"  two  ", u"three"}));
  EXPECT_TRUE(messages.shown.empty());
}

// "新增" on a full list adds nothing and says so, naming the list and its
// limit; one place short of full it adds quietly.
TEST_F(RecordUpkeepTest, AddOnAFullListSaysSo) {
  for (int i = 1; i < ListBox::kMaxListItems; ++i) records.AddItem(u"r");
  upkeep.AddRecord();
  EXPECT_EQ(records.ListCount(), ListBox::kMaxListItems);
  EXPECT_TRUE(messages.shown.empty());
  records.SetListIndex(0);
  upkeep.AddRecord();
  EXPECT_EQ(records.ListCount(), ListBox::kMaxListItems);
  EXPECT_EQ(records.ListIndex(), 0);
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text, u"文本数据列表已满：列表最多容纳 32767 项，这一项未添加。");
  EXPECT_EQ(messages.shown[0].caption, u"提示");
}

TEST_F(RecordUpkeepTest, UnreadableFileKeepsTheListAndNamesTheFile) {
  Fill(records, {u"a"});
  std::filesystem::create_directory(folder.Path("dir.txt"));
  for (const auto& path : {folder.Name("missing.txt"), folder.Name("dir.txt")}) {
    dialogs.openAnswers = {path};
    upkeep.ImportRecordFile();
    upkeep.LoadDroppedRecordFile({path});
  }
  ExpectUnchanged({u"a"});
  ASSERT_EQ(messages.shown.size(), 4u);
  for (const auto& shown : messages.shown) {
    EXPECT_EQ(shown.caption, u"错误");
    EXPECT_EQ(shown.icon, MessageIcon::kCritical);
  }
  EXPECT_NE(messages.shown[0].text.find(folder.Name("missing.txt")), std::u16string::npos);
  EXPECT_NE(messages.shown[3].text.find(folder.Name("dir.txt")), std::u16string::npos);
}

TEST_F(RecordUpkeepTest, OverlongFileSaysHowManyLinesWereLeftOut) {
  std::string bytes;
  for (int i = 0; i < ListBox::kMaxListItems + 12; ++i) bytes += "r\r\n";
  folder.Write("long.txt", bytes);
  upkeep.LoadDroppedRecordFile({folder.Name("long.txt")});
  EXPECT_EQ(records.ListCount(), ListBox::kMaxListItems);
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].icon, MessageIcon::kInformation);
  EXPECT_NE(messages.shown[0].text.find(u"其余 12 行未载入"), std::u16string::npos);
}

TEST_F(RecordUpkeepTest, OnlyTheFirstDroppedFileCountsAndOnlyWhenItIsTxt) {
  Fill(records, {u"a"});
  folder.Write("other.TXT", "x\r\n");
  upkeep.LoadDroppedRecordFile({});
  upkeep.LoadDroppedRecordFile({folder.Name("records.txt.bak"), folder.Name("records.txt")});
  upkeep.LoadDroppedRecordFile({u""});
  ExpectUnchanged({u"a"});
  upkeep.LoadDroppedRecordFile({folder.Name("other.TXT"), folder.Name("records.txt")});
  EXPECT_EQ(Items(records), (Lines{u"x"}));
  EXPECT_TRUE(records.Selected(0));
  EXPECT_TRUE(messages.shown.empty());
}

TEST_F(RecordUpkeepTest, ExportWritesEveryRecordCheckedOrNot) {
  upkeep.ExportRecordFile();
  EXPECT_EQ(dialogs.saveCount, 0);  // nothing to save: no dialog
  Fill(records, {u"a", u"(请输入内容)"});
  records.SetSelected(0, true);
  records.SetListIndex(1);
  upkeep.ExportRecordFile();  // cancelled
  EXPECT_EQ(folder.FileCount(), 1);
  dialogs.saveAnswers = {folder.Name("out.txt")};
  upkeep.ExportRecordFile();
  EXPECT_EQ(folder.Read("out.txt"), "a\r\n(\xC7\xEB\xCA\xE4\xC8\xEB\xC4\xDA\xC8\xDD)\r\n");
  EXPECT_EQ(records.SelCount(), 1);
  EXPECT_EQ(records.ListIndex(), 1);
  EXPECT_TRUE(messages.shown.empty());
}

TEST_F(RecordUpkeepTest, SelectAllAndNoneLeaveNoCurrentRecordAndAnEmptyEditor) {
  upkeep.SelectAllRecords();  // empty list: the editor is not touched either
  editor.SetText(u"draft");
  upkeep.SelectNoRecords();
  EXPECT_EQ(editor.Text(), u"draft");

  Fill(records, {u"a", u"b", u"c"});
  records.SetSelected(1, true);
  records.SetListIndex(1);
  editorLogic.LoadCurrentRecord();
  upkeep.SelectAllRecords();
  EXPECT_EQ(records.SelCount(), 3);
  EXPECT_EQ(records.ListIndex(), -1);
  EXPECT_EQ(editor.Text(), u"");
  EXPECT_EQ(Items(records), (Lines{u"a", u"b", u"c"}));
  records.SetListIndex(2);
  upkeep.SelectNoRecords();
  EXPECT_EQ(records.SelCount(), 0);
  EXPECT_EQ(records.ListIndex(), -1);
}

TEST_F(RecordUpkeepTest, AddRecordAppendsCheckedCurrentPlaceholder) {
  editorLogic.RefreshRecordStatus();  // an empty list disables the editor
  upkeep.AddRecord();
  EXPECT_EQ(Items(records), (Lines{u"(请输入内容)"}));
  EXPECT_TRUE(records.Selected(0) && records.ListIndex() == 0);
  EXPECT_EQ(editor.Text(), u"(请输入内容)");
  EXPECT_FALSE(editor.focused);

  editorLogic.RefreshRecordStatus();
  records.SetSelected(0, false);
  upkeep.AddRecord();
  EXPECT_EQ(records.ListIndex(), 1);
  EXPECT_TRUE(editor.focused);
  EXPECT_FALSE(records.Selected(0));
  EXPECT_EQ(records.List(0), u"(请输入内容)");
}

TEST_F(RecordUpkeepTest, DeleteRemovesOnlyTheCurrentRecord) {
  Fill(records, {u"a", u"b", u"c"}, true);
  records.SetSelected(2, false);
  editor.SetText(u"draft");
  upkeep.DeleteCurrentRecord();  // no current record: nothing, not even the editor
  EXPECT_EQ(records.ListCount(), 3);
  EXPECT_EQ(editor.Text(), u"draft");
  records.SetListIndex(1);
  editorLogic.LoadCurrentRecord();
  upkeep.DeleteCurrentRecord();
  EXPECT_EQ(Items(records), (Lines{u"a", u"c"}));
  EXPECT_TRUE(records.Selected(0) && !records.Selected(1));
  EXPECT_EQ(records.ListIndex(), -1);
  EXPECT_EQ(editor.Text(), u"");
}

class ActionListUpkeepTest : public ::testing::Test {
 protected:
  TempFolder folder;
  MemoryListBox actions;
  FakeFileDialogs dialogs;
  FakeMessageBoxes messages;
  ActionListUpkeep upkeep{actions, dialogs, messages};
};

TEST_F(ActionListUpkeepTest, DeleteTakesTheCurrentActionOnly) {
  upkeep.DeleteCurrentAction();  // empty list
  for (const auto* text : {u"复制内容", u"粘贴内容"}) actions.AddItem(text);
  upkeep.DeleteCurrentAction();  // no current action
  EXPECT_EQ(actions.ListCount(), 2);
  actions.SetListIndex(0);
  upkeep.DeleteCurrentAction();
  ASSERT_EQ(actions.ListCount(), 1);
  EXPECT_EQ(actions.List(0), u"粘贴内容");
  upkeep.ClearActionList();
  EXPECT_EQ(actions.ListCount(), 0);
}

// Reading and writing are the list file's, tested there.
TEST_F(ActionListUpkeepTest, ImportLoadsUncheckedAndExportRoundTrips) {
  folder.Write("actions.txt", "点击位置 100 200\r\n\r\n  等候时长 2  \r\n");
  actions.AddItem(u"old");
  actions.SetListIndex(0);
  upkeep.ImportActionFile();  // cancelled
  EXPECT_EQ(actions.List(0), u"old");
  dialogs.openAnswers = {folder.Name("actions.txt")};
  upkeep.ImportActionFile();
  const Lines loaded = {u"点击位置 100 200", u"  等候时长 2  "};
  EXPECT_EQ(Items(actions), loaded);
  EXPECT_EQ(actions.SelCount(), 0);
  EXPECT_EQ(actions.ListIndex(), -1);

  dialogs.saveAnswers = {folder.Name("again.txt")};
  upkeep.ExportActionFile();
  actions.Clear();
  upkeep.LoadDroppedActionFile({folder.Name("again.txt")});
  EXPECT_EQ(Items(actions), loaded);
  EXPECT_TRUE(messages.shown.empty());
}

}  // namespace
}  // namespace tavorin
