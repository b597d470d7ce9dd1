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

// On a full list copy and paste add nothing and say so.
TEST(ActionEntry, EachButtonAppendsItsLineOrOpensItsWindowOffTheTopBand) {
  const struct {
    int button;
    bool full;
    Lines added;
    WindowLog log;
  } cases[] = {
      {0, false, {u"复制内容"}, {}},
      {1, false, {u"粘贴内容"}, {}},
      {2, false, {}, {"hide", "picker"}},  // the picker brings the window back itself
      {3, false, {}, {"not topmost 7", "key dialog", "topmost 7"}},
      {4, false, {}, {"not topmost 7", "wait dialog", "topmost 7"}},
      {5, false, {}, {"not topmost 7", "insert dialog", "topmost 7"}},
      {6, false, {}, {}},
      {-1, false, {}, {}},
      {0, true, {}, {}},
      {1, true, {}, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.button);
    WindowLog log;
    MemoryListBox actions;
    do actions.AddItem(u"等候时长 1");
    while (c.full && actions.ListCount() < ListBox::kMaxListItems);
    const Lines before = testing::Items(actions);
    testing::LoggingEntryWindows windows(log);
    testing::LoggingStacking stacking(log);
    testing::FakeMessageBoxes boxes;
    ActionEntry(actions, windows, stacking, boxes).AddAction(c.button);
    Lines expected = before;
    expected.insert(expected.end(), c.added.begin(), c.added.end());
    EXPECT_EQ(testing::Items(actions), expected);
    EXPECT_EQ(log, c.log);
    EXPECT_EQ(boxes.shown.size(), c.full ? 1u : 0u);
    for (const auto& shown : boxes.shown) EXPECT_EQ(shown.text, FullListMessage(kActionListName));
  }
}

}  // namespace
}  // namespace tavorin
