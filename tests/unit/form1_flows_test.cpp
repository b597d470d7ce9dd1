// The shared control table both front ends build the main window from, and
// the flows behind its controls, reached by design name as both front ends
// forward their events.
#include "core/window/form1_flows.h"

#include <gtest/gtest.h>

#include <set>

#include "core/interfaces/memory_list_box.h"
#include "core/window/form1_control_table.h"
#include "fake_controls.h"
#include "fake_file_dialogs.h"
#include "fake_message_boxes.h"
#include "logging_windows.h"
#include "temp_folder.h"

namespace tavorin {
namespace {

using testing::Items;
using testing::Lines;
using testing::WindowLog;

class Form1FlowsTest : public ::testing::Test {
 protected:
  Form1FlowsTest() { text6.onChange = [this] { flows.recordEditor().OnEditorChange(); }; }

  WindowLog log;
  MemoryListBox list1, list2, list3;
  testing::FakeTextBox text1, text2, text6;
  testing::FakeLabel label9;
  testing::FakeMessageBoxes messages;
  testing::FakeFileDialogs dialogs;
  testing::LoggingEntryWindows windows{log};
  testing::LoggingStacking stacking{log};
  Form1Flows flows{Form1Parts{list1, list2, list3, text1, text2, text6, label9, messages, dialogs, windows, stacking}};
};

// A front end wires every button of the table to the flows; only "启动" has
// its own binding to the run.
TEST_F(Form1FlowsTest, EveryButtonOfTheTableButStartHasAFlow) {
  for (const ControlSpec& spec : Form1ControlTable()) {
    if (spec.kind != ControlKind::kButton) continue;
    EXPECT_EQ(flows.HandlesClick(spec.name), spec.name != "Command7") << spec.name;
  }
  EXPECT_FALSE(flows.HandlesClick("List3"));
  flows.MainWindowShown();
  flows.Click("Command7");  // no flow here: nothing happens
  flows.Click("Command6(4)");
  flows.MainWindowClosing();
  EXPECT_EQ(log, (WindowLog{"topmost 7", "not topmost 7", "wait dialog", "topmost 7", "not topmost 7"}));
  // What each button does on its list is checked through both front ends.
  flows.Click("Command6(1)");
  EXPECT_EQ(Items(list3), (Lines{u"粘贴内容"}));
  EXPECT_TRUE(messages.shown.empty());
}

TEST_F(Form1FlowsTest, DoubleClicksAndDropsReachOnlyTheListsThatTakeThem) {
  testing::TempFolder folder;
  folder.Write("lines.txt", "x\r\ny\r\n");
  const std::vector<std::u16string> drop = {folder.Name("lines.txt")};
  flows.DropFiles("List2", drop);
  EXPECT_EQ(list1.ListCount() + list2.ListCount() + list3.ListCount(), 0);
  flows.DropFiles("List1", drop);
  EXPECT_EQ(Items(list1), (Lines{u"x", u"y"}));
  EXPECT_EQ(list3.ListCount(), 0);
  flows.DropFiles("List3", drop);
  EXPECT_EQ(Items(list3), (Lines{u"x", u"y"}));
  list1.SetListIndex(0);
  flows.DoubleClick("List1");
  EXPECT_EQ(list1.ListCount(), 2);
  list3.SetListIndex(0);
  flows.DoubleClick("List3");
  EXPECT_EQ(Items(list3), (Lines{u"y"}));
}

// Names are unique and parents come first; each control fits inside its
// parent. How the controls look is checked on each front end.
TEST(Form1ControlTable, NamesParentsAndPlaces) {
  std::set<std::string_view> seen = {kForm1Name};
  for (const ControlSpec& spec : Form1ControlTable()) {
    EXPECT_TRUE(seen.contains(spec.parent)) << spec.name << " under " << spec.parent;
    EXPECT_TRUE(seen.insert(spec.name).second) << spec.name << " twice";
    EXPECT_EQ(FindForm1Control(spec.name), &spec);
    if (const ControlSpec* parent = FindForm1Control(spec.parent)) {
      const TwipRect& r = spec.rect;
      EXPECT_TRUE(r.left >= 0 && r.top >= 0 && r.left + r.width <= parent->rect.width &&
                  r.top + r.height <= parent->rect.height) << spec.name;
    }
  }
  EXPECT_EQ(FindForm1Control("Command16"), nullptr);
}

// Twips become pixels at the screen's resolution, 96 dpi unless given.
TEST(Form1ControlTable, TwipsBecomePixelsAtTheScreensResolution) {
  EXPECT_EQ(TwipsToPixels(kForm1OuterWidth), 328);
  EXPECT_EQ(TwipsToPixels(4920, 144), 492);  // 150 %
  EXPECT_EQ(TwipsToPixels(14), 0);
}

}  // namespace
}  // namespace tavorin
