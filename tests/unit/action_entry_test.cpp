// The six buttons that add an action: the line they append, or the window
// they open with the main window out of the always-on-top band meanwhile.
#include <gtest/gtest.h>

#include "core/actions/action_entry.h"
#include "core/interfaces/full_list.h"
#include "core/interfaces/memory_list_box.h"
#include "fake_controls.h"
#include "fake_message_boxes.h"
#include "logging_windows.h"

namespace tavorin {
namespace {

using testing::Lines;
using testing::WindowLog;

TEST(ActionEntry, EachButtonAppendsItsLineOrOpensItsWindowOffTheTopBand) {
  struct Case {
    int button;
    Lines actions;
    WindowLog log;
  };
  const Case cases[] = {
      {0, {u"复制内容"}, {}},
      {1, {u"粘贴内容"}, {}},
      {2, {}, {"hide", "picker"}},  // the picker brings the window back itself
      {3, {}, {"not topmost 7", "key dialog", "topmost 7"}},
      {4, {}, {"not topmost 7", "wait dialog", "topmost 7"}},
      {5, {}, {"not topmost 7", "insert dialog", "topmost 7"}},
      {6, {}, {}},
      {-1, {}, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.button);
    WindowLog log;
    MemoryListBox actions;
    testing::Fill(actions, {u"等候时长 1"});
    testing::LoggingEntryWindows windows(log);
    testing::LoggingStacking stacking(log);
    testing::FakeMessageBoxes boxes;
    ActionEntry(actions, windows, stacking, boxes).AddAction(c.button);
    Lines expected = {u"等候时长 1"};
    expected.insert(expected.end(), c.actions.begin(), c.actions.end());
    EXPECT_EQ(testing::Items(actions), expected);
    EXPECT_EQ(log, c.log);
    EXPECT_TRUE(boxes.shown.empty());
  }
}

TEST(ActionEntry, CopyAndPasteOnAFullListAddNothingAndSaySo) {
  for (int button : {0, 1}) {
    WindowLog log;
    MemoryListBox actions;
    while (actions.AddItem(u"等候时长 1")) {
    }
    testing::LoggingEntryWindows windows(log);
    testing::LoggingStacking stacking(log);
    testing::FakeMessageBoxes boxes;
    ActionEntry(actions, windows, stacking, boxes).AddAction(button);
    EXPECT_EQ(actions.ListCount(), ListBox::kMaxListItems);
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, FullListMessage(kActionListName));
  }
}

}  // namespace
}  // namespace tavorin
