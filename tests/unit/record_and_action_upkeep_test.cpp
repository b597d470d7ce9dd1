#include <gtest/gtest.h>

#include <filesystem>

#include "core/actions/action_list_upkeep.h"
#include "core/interfaces/memory_list_box.h"
#include "core/records/record_upkeep.h"
#include "fake_controls.h"
#include "fake_file_dialogs.h"
#include "fake_message_boxes.h"
#include "temp_folder.h"

namespace tavorin {
namespace {

using testing::Fill;
using testing::Items;
using testing::Lines;

class RecordUpkeepTest : public ::testing::Test {
 protected:
  RecordUpkeepTest() {
    editor.onChange = [this] { editorLogic.OnEditorChange(); };
    folder.Write("records.txt", "one\r\n\r\n  two  \r\n   \r\nthree");
  }

  testing::TempFolder folder;
  MemoryListBox records;
  testing::FakeTextBox editor;
  testing::FakeLabel status;
  testing::FakeFileDialogs dialogs;
  testing::FakeMessageBoxes messages;
  RecordEditor editorLogic{records, editor, status, messages};
  RecordUpkeep upkeep{records, editor, editorLogic, dialogs, messages};
};

// Loaded records are checked and none is current, so the editor edits none.
// A drop counts only its first file, and only a .txt one.
TEST_F(RecordUpkeepTest, ImportAndDropReplaceTheListByTheCheckedLinesOfTheFirstTxtFile) {
  Fill(records, {u"old"});
  upkeep.ImportRecordFile();  // cancelled
  upkeep.LoadDroppedRecordFile({folder.Name("records.txt.bak"), folder.Name("records.txt")});
  EXPECT_EQ(Items(records), (Lines{u"old"}));
  records.SetListIndex(0);
  dialogs.openAnswers = {folder.Name("records.txt")};
  upkeep.ImportRecordFile();
  EXPECT_EQ(Items(records), (Lines{u"one", u"  two  ", u"three"}));
  EXPECT_EQ(records.SelCount(), 3);
  editor.SetText(u"typed");
  EXPECT_EQ(records.List(0), u"one");
  folder.Write("other.TXT", "x\r\n");
  records.SetListIndex(0);
  upkeep.LoadDroppedRecordFile({folder.Name("other.TXT"), folder.Name("records.txt")});
  EXPECT_EQ(Items(records), (Lines{u"x"}));
  EXPECT_TRUE(records.Selected(0));
  EXPECT_EQ(records.ListIndex(), -1);
  EXPECT_TRUE(messages.shown.empty());
  std::filesystem::create_directory(folder.Path("dir.txt"));  // unreadable: the list stays, the box names it
  upkeep.LoadDroppedRecordFile({folder.Name("dir.txt")});
  EXPECT_EQ(Items(records), (Lines{u"x"}));
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_NE(messages.shown[0].text.find(folder.Name("dir.txt")), std::u16string::npos);
  std::string bytes;
  for (int i = 0; i < ListBox::kMaxListItems + 12; ++i) bytes += "r\r\n";
  folder.Write("long.txt", bytes);
  dialogs.openAnswers = {folder.Name("long.txt")};
  upkeep.ImportRecordFile();
  EXPECT_EQ(records.ListCount(), ListBox::kMaxListItems);
  EXPECT_EQ(messages.shown.back().icon, MessageIcon::kInformation);
  EXPECT_NE(messages.shown.back().text.find(u"其余 12 行未载入"), std::u16string::npos);
}

TEST_F(RecordUpkeepTest, ExportWritesEveryRecordCheckedOrNot) {
  upkeep.ExportRecordFile();
  EXPECT_EQ(dialogs.saveCount, 0);  // nothing to save: no dialog
  Fill(records, {u"a", u"(请输入内容)"});
  records.SetSelected(0, true);
  dialogs.saveAnswers = {folder.Name("out.txt")};
  upkeep.ExportRecordFile();
  EXPECT_EQ(folder.Read("out.txt"), "a\r\n(\xC7\xEB\xCA\xE4\xC8\xEB\xC4\xDA\xC8\xDD)\r\n");
  EXPECT_EQ(records.SelCount(), 1);
}

// "新增" appends a checked, current placeholder, and on a full list adds
// nothing and says so; "删除" and "全选"/"全不选" leave no current record and
// an empty editor.
TEST_F(RecordUpkeepTest, AddDeleteAndCheckAll) {
  editor.SetText(u"draft");
  upkeep.SelectNoRecords();  // empty list: the editor is not touched either
  EXPECT_EQ(editor.Text(), u"draft");
  Fill(records, {u"a"});
  upkeep.AddRecord();
  EXPECT_EQ(Items(records), (Lines{u"a", u"(请输入内容)"}));
  EXPECT_TRUE(!records.Selected(0) && records.Selected(1) && records.ListIndex() == 1);
  EXPECT_EQ(editor.Text(), u"(请输入内容)");
  upkeep.SelectAllRecords();
  EXPECT_EQ(records.SelCount(), 2);
  EXPECT_EQ(records.ListIndex(), -1);
  EXPECT_EQ(editor.Text(), u"");
  EXPECT_EQ(records.List(1), u"(请输入内容)");
  editor.SetText(u"draft");
  upkeep.DeleteCurrentRecord();  // no current record: nothing, not even the editor
  EXPECT_EQ(editor.Text(), u"draft");
  records.SetListIndex(0);
  upkeep.SelectNoRecords();
  EXPECT_EQ(records.SelCount(), 0);
  EXPECT_EQ(records.ListIndex(), -1);
  records.SetListIndex(0);
  upkeep.DeleteCurrentRecord();
  EXPECT_EQ(Items(records), (Lines{u"(请输入内容)"}));
  EXPECT_EQ(records.ListIndex(), -1);
  EXPECT_EQ(editor.Text(), u"");
  while (records.ListCount() < ListBox::kMaxListItems) records.AddItem(u"r");
  records.SetListIndex(0);
  upkeep.AddRecord();
  EXPECT_EQ(records.ListCount(), ListBox::kMaxListItems);
  EXPECT_EQ(records.ListIndex(), 0);
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text, u"文本数据列表已满：列表最多容纳 32767 项，这一项未添加。");
}

// Reading and writing are the list file's, tested there.
TEST(ActionListUpkeepTest, DeleteImportAndExport) {
  testing::TempFolder folder;
  MemoryListBox actions;
  testing::FakeFileDialogs dialogs;
  testing::FakeMessageBoxes messages;
  ActionListUpkeep upkeep{actions, dialogs, messages};
  Fill(actions, {u"复制内容", u"粘贴内容"});
  upkeep.DeleteCurrentAction();  // no current action
  actions.SetListIndex(0);
  upkeep.DeleteCurrentAction();
  EXPECT_EQ(Items(actions), (Lines{u"粘贴内容"}));
  folder.Write("actions.txt", "点击位置 100 200\r\n\r\n  等候时长 2  \r\n");
  dialogs.openAnswers = {folder.Name("actions.txt")};
  upkeep.ImportActionFile();
  const Lines loaded = {u"点击位置 100 200", u"  等候时长 2  "};
  EXPECT_EQ(Items(actions), loaded);
  EXPECT_EQ(actions.SelCount(), 0);  // actions are loaded unchecked
  dialogs.saveAnswers = {folder.Name("again.txt")};
  upkeep.ExportActionFile();
  upkeep.ClearActionList();
  EXPECT_EQ(actions.ListCount(), 0);
  upkeep.DeleteCurrentAction();  // empty list
  upkeep.LoadDroppedActionFile({folder.Name("again.txt")});
  EXPECT_EQ(Items(actions), loaded);
  EXPECT_TRUE(messages.shown.empty());
}

}  // namespace
}  // namespace tavorin
