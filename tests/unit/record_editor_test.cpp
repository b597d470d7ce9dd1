#include "core/records/record_editor.h"

#include <gtest/gtest.h>

#include "fake_controls.h"
#include "fake_message_boxes.h"
#include "core/interfaces/full_list.h"
#include "core/interfaces/memory_list_box.h"

namespace tavorin {
namespace {

class RecordEditorTest : public ::testing::Test {
 protected:
  RecordEditorTest() { editor.onChange = [this] { logic.OnEditorChange(); }; }

  void ClickRow(int row) {
    records.SetListIndex(row);
    logic.LoadCurrentRecord();
  }
  // Enter as the real editor sees it: the reaction first, then the line
  // break the editor inserts itself; the keypad separator types "," unless
  // the reaction uses it up.
  void Press(int key) {
    if (!logic.OnEditorKeyDown(key)) editor.Type(editor.Text() + (key == RecordEditor::kEnterKey ? u"\r\n" : u","));
  }

  MemoryListBox records;
  testing::FakeTextBox editor;
  testing::FakeLabel status{u"已选中0项"};
  testing::FakeMessageBoxes messages;
  RecordEditor logic{records, editor, status, messages};
};

TEST_F(RecordEditorTest, CrLfPairsAreRemovedButLoneBreaksStayAndOnlyTheCurrentRecordIsEdited) {
  testing::Fill(records, {u"x", u"keep"});
  editor.Type(u"typed");  // no current record: nothing changes
  logic.LoadCurrentRecord();
  EXPECT_EQ(editor.Text(), u"typed");
  ClickRow(0);
  logic.OnEditorFocus();
  EXPECT_EQ(editor.selectionStart, 0);  // all of "x" selected
  EXPECT_EQ(editor.selectionLength, 1);
  editor.Type(u"line one\r\nline two\r\n");
  EXPECT_EQ(editor.Text(), u"line oneline two");
  EXPECT_EQ(records.List(0), u"line oneline two");
  editor.Type(u"a\rb\nc\n\r");
  EXPECT_EQ(records.List(0), u"a\rb\nc\n\r");
  editor.Type(u"\r\n");  // a text of only a line break writes nothing
  EXPECT_EQ(records.List(0), u"a\rb\nc\n\r");
  EXPECT_EQ(records.List(1), u"keep");
}

// Enter, or the keypad's separator, appends an empty, checked, current
// record; not from an empty editor, and not on a full list, which says so.
TEST_F(RecordEditorTest, EnterAndTheKeypadSeparatorAppendAnEmptyCheckedCurrentRecord) {
  testing::Fill(records, {u"one", u"two", u"three"});
  ClickRow(0);
  Press(RecordEditor::kSeparatorKey);
  ASSERT_EQ(records.ListCount(), 4);
  EXPECT_EQ(records.List(0), u"one");
  EXPECT_TRUE(records.Selected(3) && records.ListIndex() == 3);
  EXPECT_EQ(editor.Text(), u"");
  Press(RecordEditor::kEnterKey);  // an empty editor adds nothing
  EXPECT_FALSE(logic.OnEditorKeyDown(65));
  Press(RecordEditor::kSeparatorKey);  // and types the ","
  EXPECT_EQ(records.ListCount(), 4);
  EXPECT_EQ(records.List(3), u",");
  Press(RecordEditor::kEnterKey);
  EXPECT_EQ(records.ListCount(), 5);
  EXPECT_EQ(records.List(3), u",");
  while (records.ListCount() < ListBox::kMaxListItems) records.AddItem(u"r");
  ClickRow(0);
  Press(RecordEditor::kEnterKey);
  Press(RecordEditor::kSeparatorKey);
  EXPECT_EQ(records.ListCount(), ListBox::kMaxListItems);
  EXPECT_EQ(records.ListIndex(), 0);
  EXPECT_EQ(records.List(0), u"one") << "neither the line break nor the separator's \",\" reaches the record";
  ASSERT_EQ(messages.shown.size(), 2u);
  EXPECT_EQ(messages.shown[0].text, FullListMessage(kRecordListName));
}

TEST_F(RecordEditorTest, StatusCountsCheckedRecordsAndDisablesTheEmptyEditor) {
  logic.RefreshRecordStatus();
  EXPECT_EQ(status.Caption(), u"列表中无项目");
  EXPECT_FALSE(editor.Enabled());
  testing::Fill(records, {u"a", u"b", u"c", u"d", u"e"}, true);
  ClickRow(0);  // the disabled editor drops the focus quietly
  EXPECT_EQ(editor.Text(), u"a");
  EXPECT_FALSE(editor.focused);
  testing::Fill(records, {u"f", u"g", u"h", u"i", u"j"});
  records.SetSelected(0, false);
  logic.RefreshRecordStatus();
  EXPECT_EQ(status.Caption(), u"4/10");
  EXPECT_TRUE(editor.Enabled());
}

}  // namespace
}  // namespace tavorin
