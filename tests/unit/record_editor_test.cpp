#include "core/records/record_editor.h"

#include <gtest/gtest.h>

#include "fake_controls.h"
#include "fake_message_boxes.h"
#include "core/interfaces/full_list.h"
#include "core/interfaces/memory_list_box.h"

namespace tavorin {
namespace {

using testing::FakeLabel;
using testing::FakeTextBox;

class RecordEditorTest : public ::testing::Test {
 protected:
  RecordEditorTest() { editor.onChange = [this] { logic.OnEditorChange(); }; }

  void AddRecords(const testing::Lines& texts, bool checked = false) { testing::Fill(records, texts, checked); }
  void ClickRow(int row) {
    records.SetListIndex(row);
    logic.LoadCurrentRecord();
  }
  // Enter as the real editor sees it: the reaction first, then the line break
  // the editor inserts itself.
  // The separator types "," unless the reaction uses it up.
  void PressEnter(int key = RecordEditor::kEnterKey) {
    if (!logic.OnEditorKeyDown(key)) {
      editor.Type(editor.Text() + (key == RecordEditor::kEnterKey ? u"\r\n" : u","));
    }
  }

  MemoryListBox records;
  FakeTextBox editor;
  FakeLabel status{u"已选中0项"};
  testing::FakeMessageBoxes messages;
  RecordEditor logic{records, editor, status, messages};
};

TEST_F(RecordEditorTest, CrLfPairsAreRemovedButLoneBreaksStay) {
  AddRecords({u"x"});
  ClickRow(0);
  editor.Type(u"line one\r\nline two\r\n");
  EXPECT_EQ(editor.Text(), u"line oneline two");
  EXPECT_EQ(records.List(0), u"line oneline two");
  editor.Type(u"a\rb\nc\n\r");
  EXPECT_EQ(records.List(0), u"a\rb\nc\n\r");
  editor.Type(u"\r\n");
  EXPECT_EQ(records.List(0), u"a\rb\nc\n\r") << "a text of only a line break writes nothing";
}

TEST_F(RecordEditorTest, WithoutCurrentRecordTypingChangesNothing) {
  AddRecords({u"keep"});
  editor.Type(u"typed");
  EXPECT_EQ(records.List(0), u"keep");
  logic.LoadCurrentRecord();
  EXPECT_EQ(editor.Text(), u"typed");
  EXPECT_FALSE(editor.focused);
}

TEST_F(RecordEditorTest, KeypadSeparatorAppendsAnEmptyCheckedCurrentRecordLikeEnter) {
  AddRecords({u"one", u"two", u"three"});
  ClickRow(0);
  PressEnter(RecordEditor::kSeparatorKey);
  ASSERT_EQ(records.ListCount(), 4);
  EXPECT_EQ(records.List(0), u"one");
  EXPECT_EQ(records.List(3), u"");
  EXPECT_TRUE(records.Selected(3));
  EXPECT_EQ(records.ListIndex(), 3);
  EXPECT_EQ(editor.Text(), u"");
  editor.Type(u"t");
  EXPECT_EQ(records.List(3), u"t");
}

TEST_F(RecordEditorTest, EnterInAnEmptyEditorOrOtherKeysAddNothing) {
  AddRecords({u"one"});
  ClickRow(0);
  editor.Type(u"");
  PressEnter();
  EXPECT_FALSE(logic.OnEditorKeyDown(65));
  EXPECT_FALSE(logic.OnEditorKeyDown(9));
  EXPECT_EQ(records.ListCount(), 1);
  PressEnter(RecordEditor::kSeparatorKey);  // an empty editor types the ","
  EXPECT_EQ(records.ListCount(), 1);
  EXPECT_EQ(records.List(0), u",");
}

TEST_F(RecordEditorTest, EnterOrSeparatorOnAFullListAddsNothingAndSaysSo) {
  for (int i = 0; i < ListBox::kMaxListItems; ++i) records.AddItem(u"r");
  ClickRow(0);
  PressEnter();
  PressEnter(RecordEditor::kSeparatorKey);
  EXPECT_EQ(records.ListCount(), ListBox::kMaxListItems);
  EXPECT_EQ(records.ListIndex(), 0);
  EXPECT_EQ(records.List(0), u"r") << "neither the line break nor the separator's \",\" reaches the record";
  ASSERT_EQ(messages.shown.size(), 2u);
  EXPECT_EQ(messages.shown[0].text, FullListMessage(kRecordListName));
}

TEST_F(RecordEditorTest, StatusCountsCheckedRecordsAndDisablesTheEmptyEditor) {
  EXPECT_EQ(status.Caption(), u"已选中0项");
  logic.RefreshRecordStatus();
  EXPECT_EQ(status.Caption(), u"列表中无项目");
  EXPECT_FALSE(editor.Enabled());

  AddRecords({u"a", u"b", u"c", u"d", u"e"});
  logic.RefreshRecordStatus();
  EXPECT_EQ(status.Caption(), u"0/5");
  EXPECT_TRUE(editor.Enabled());

  AddRecords({u"f", u"g", u"h", u"i", u"j"}, true);
  records.SetSelected(9, false);
  logic.RefreshRecordStatus();
  EXPECT_EQ(status.Caption(), u"4/10");
}

TEST_F(RecordEditorTest, LoadIntoADisabledEditorDropsTheFocusQuietly) {
  logic.RefreshRecordStatus();  // empty list: editor disabled
  AddRecords({u"first"}, true);
  ClickRow(0);
  EXPECT_EQ(editor.Text(), u"first");
  EXPECT_FALSE(editor.focused);
}

}  // namespace
}  // namespace tavorin
