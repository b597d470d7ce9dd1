// The shared control table both front ends build the main window from, and
// the flows behind its controls, reached by design name as both front ends
// forward their events.
#include <gtest/gtest.h>

#include <set>

#include "core/window/form1_control_table.h"
#include "form1_fixture.h"

namespace tavorin {
namespace {

using testing::WindowLog;
using Form1FlowsTest = testing::Form1Test;

// A front end wires every button of the table to the flows; only "启动" has
// its own binding to the run. What each button does is checked with its
// list. Lists take the double-clicks and drops they are meant for only.
TEST_F(Form1FlowsTest, EveryButtonOfTheTableButStartHasAFlow) {
  for (const ControlSpec& spec : Form1ControlTable()) {
    if (spec.kind != ControlKind::kButton) continue;
    EXPECT_EQ(flows.HandlesClick(spec.name), spec.name != "Command7") << spec.name;
  }
  EXPECT_FALSE(flows.HandlesClick("List3"));
  flows.MainWindowShown();
  flows.Click("Command7");  // no flow here: nothing happens
  flows.MainWindowClosing();
  EXPECT_EQ(log, (WindowLog{"topmost 7", "not topmost 7"}));
  folder.Write("lines.txt", "x\r\ny\r\n");
  flows.DropFiles("List2", {folder.Name("lines.txt")});
  list1.AddItem(u"a");
  list1.SetListIndex(0);
  flows.DoubleClick("List1");
  EXPECT_EQ(list1.ListCount() + list2.ListCount() + list3.ListCount(), 1);
}

// Names are unique and parents come first; each control fits inside its
// parent. How the controls look is checked on each front end. Twips become
// pixels at the screen's resolution, 96 dpi unless given.
TEST(Form1ControlTable, NamesParentsPlacesAndPixels) {
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
  EXPECT_EQ(TwipsToPixels(kForm1OuterWidth), 328);
  EXPECT_EQ(TwipsToPixels(4920, 144), 492);  // 150 %
  EXPECT_EQ(TwipsToPixels(14), 0);
}

}  // namespace
}  // namespace tavorin
