// The six buttons that add an action: the line they append, or the window
// they open with the main window out of the always-on-top band meanwhile.
#include <gtest/gtest.h>

#include "core/actions/action_entry.h"
#include "core/interfaces/memory_list_box.h"
#include "fake_controls.h"
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
    ActionEntry(actions, windows, stacking).AddAction(c.button);
    Lines expected = {u"等候时长 1"};
    expected.insert(expected.end(), c.actions.begin(), c.actions.end());
    EXPECT_EQ(testing::Items(actions), expected);
    EXPECT_EQ(log, c.log);
  }
}

}  // namespace
}  // namespace tavorin
