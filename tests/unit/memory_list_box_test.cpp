#include "ui/memory_list_box.h"

#include <gtest/gtest.h>

namespace tavorin {
namespace {

TEST(MemoryListBox, RemovingKeepsTheCurrentItemOnTheSameText) {
  MemoryListBox list;
  for (auto text : {u"a", u"b", u"c"}) list.AddItem(text);
  list.SetListIndex(2);
  list.RemoveItem(0);
  EXPECT_EQ(list.ListIndex(), 1);
  EXPECT_EQ(list.List(list.ListIndex()), u"c");
  list.RemoveItem(1);
  EXPECT_EQ(list.ListIndex(), -1) << "the removed item was current";
  list.SetListIndex(0);
  list.Clear();
  EXPECT_EQ(list.ListIndex(), -1);
  EXPECT_EQ(list.ListCount(), 0);
}

TEST(MemoryListBox, RefusesItemsBeyondTheLimit) {
  MemoryListBox list;
  for (int i = 0; i < ListBox::kMaxListItems; ++i) ASSERT_TRUE(list.AddItem(u"x"));
  EXPECT_FALSE(list.AddItem(u"one too many"));
  EXPECT_EQ(list.ListCount(), ListBox::kMaxListItems);
}

}  // namespace
}  // namespace tavorin
