#include <gtest/gtest.h>

#include <filesystem>

#include "core/actions/action_list_upkeep.h"
#include "core/interfaces/full_list.h"
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
TEST_F(RecordUpkeepTest, ImportAndDropReplaceTheListByTheCheckedLinesOfTheFirstTxtFile) {
  Fill(records, {u"old"});
  folder.Write("other.TXT", "x\r\n");
  upkeep.ImportRecordFile();  // cancelled
  upkeep.LoadDroppedRecordFile({});
  upkeep.LoadDroppedRecordFile({folder.Name("records.txt.bak"), folder.Name("records.txt")});
  upkeep.LoadDroppedRecordFile({u""});
  EXPECT_EQ(Items(records), (Lines{u"old"}));
  records.SetListIndex(0);
  editor.SetText(u"old");
  dialogs.openAnswers = {folder.Name("records.txt")};
  upkeep.ImportRecordFile();
  EXPECT_EQ(Items(records), (Lines{u"one", u"  two  ", u"three"}));
  EXPECT_EQ(records.SelCount(), 3);
  editor.SetText(u"typed");
  EXPECT_EQ(Items(records), (Lines{u"one", u"  two  ", u"three"}));
  records.SetListIndex(0);
  upkeep.LoadDroppedRecordFile({folder.Name("other.TXT"), folder.Name("records.txt")});
  EXPECT_EQ(Items(records), (Lines{u"x"}));
  EXPECT_TRUE(records.Selected(0));
  EXPECT_EQ(records.ListIndex(), -1);
  EXPECT_TRUE(messages.shown.empty());
}

TEST_F(RecordUpkeepTest, UnreadableOrOverlongFilesSaySo) {
  Fill(records, {u"a"});
  std::filesystem::create_directory(folder.Path("dir.txt"));
  for (const auto& path : {folder.Name("missing.txt"), folder.Name("dir.txt")}) {
    dialogs.openAnswers = {path};
    upkeep.ImportRecordFile();
    upkeep.LoadDroppedRecordFile({path});
  }
  EXPECT_EQ(Items(records), (Lines{u"a"}));
  ASSERT_EQ(messages.shown.size(), 4u);
  EXPECT_NE(messages.shown[0].text.find(folder.Name("missing.txt")), std::u16string::npos);
  EXPECT_NE(messages.shown[3].text.find(folder.Name("dir.txt")), std::u16string::npos);
  std::string bytes;
  for (int i = 0; i < ListBox::kMaxListItems + 12; ++i) bytes += "r\r\n";
  folder.Write("long.txt", bytes);
  upkeep.LoadDroppedRecordFile({folder.Name("long.txt")});
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

TEST_F(RecordUpkeepTest, SelectAllAndNoneLeaveNoCurrentRecordAndAnEmptyEditor) {
  editor.SetText(u"draft");
  upkeep.SelectNoRecords();  // empty list: the editor is not touched either
  EXPECT_EQ(editor.Text(), u"draft");
  Fill(records, {u"a", u"b", u"c"});
  records.SetListIndex(1);
  editorLogic.LoadCurrentRecord();
  upkeep.SelectAllRecords();
  EXPECT_EQ(records.SelCount(), 3);
  EXPECT_EQ(records.ListIndex(), -1);
  EXPECT_EQ(editor.Text(), u"");
  records.SetListIndex(2);
  upkeep.SelectNoRecords();
  EXPECT_EQ(records.SelCount(), 0);
  EXPECT_EQ(records.ListIndex(), -1);
}

// "新增" appends a checked, current placeholder; on a full list it adds
// nothing and says so.
TEST_F(RecordUpkeepTest, AddAppendsACheckedCurrentPlaceholderAndDeleteRemovesTheCurrentRecord) {
  Fill(records, {u"a"});
  upkeep.AddRecord();
  EXPECT_EQ(Items(records), (Lines{u"a", u"(请输入内容)"}));
  EXPECT_TRUE(!records.Selected(0) && records.Selected(1));
  EXPECT_EQ(records.ListIndex(), 1);
  EXPECT_EQ(editor.Text(), u"(请输入内容)");
  upkeep.AddRecord();
  records.SetListIndex(-1);
  editor.SetText(u"draft");
  upkeep.DeleteCurrentRecord();  // no current record: nothing, not even the editor
  EXPECT_EQ(records.ListCount(), 3);
  EXPECT_EQ(editor.Text(), u"draft");
  records.SetListIndex(1);
  upkeep.DeleteCurrentRecord();
  EXPECT_EQ(records.ListCount(), 2);
  EXPECT_TRUE(!records.Selected(0) && records.Selected(1));
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
  upkeep.DeleteCurrentAction();  // empty list
  Fill(actions, {u"复制内容", u"粘贴内容"});
  upkeep.DeleteCurrentAction();  // no current action
  actions.SetListIndex(0);
  upkeep.DeleteCurrentAction();
  EXPECT_EQ(Items(actions), (Lines{u"粘贴内容"}));
  upkeep.ImportActionFile();  // cancelled
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
  upkeep.LoadDroppedActionFile({folder.Name("again.txt")});
  EXPECT_EQ(Items(actions), loaded);
  EXPECT_TRUE(messages.shown.empty());
}

}  // namespace
}  // namespace tavorin
