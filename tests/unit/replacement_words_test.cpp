#include "core/replacements/replacement_words.h"

#include <gtest/gtest.h>

#include "core/interfaces/full_list.h"
#include "form1_fixture.h"

namespace tavorin {
namespace {

using testing::Items;
using testing::Lines;
using ReplacementWordsTest = testing::Form1Test;

// "添加" joins the fields and empties them; on a full list it says so and the
// fields keep the pair. "编辑" loads the selected pair back, "删除" takes it,
// "清空" empties the list and the fields.
TEST_F(ReplacementWordsTest, AddEditDeleteAndClear) {
  const auto add = [&](const std::u16string& oldText, const std::u16string& newText) {
    text1.Type(oldText);
    text2.Type(newText);
    flows.Click("Command1");
  };
  add(u" a->b", u"c ");
  EXPECT_EQ(text1.Text() + text2.Text(), u"");
  text1.Type(u"draft");
  flows.Click("Command4");  // nothing selected
  flows.Click("Command2");
  EXPECT_EQ(text1.Text(), u"draft");
  list2.SetListIndex(0);
  flows.Click("Command4");
  EXPECT_EQ(text1.Text(), u" a");
  EXPECT_EQ(text2.Text(), u"c ");
  flows.Click("Command1");
  EXPECT_EQ(Items(list2), (Lines{u" a->b->c ", u" a->c "}));
  list2.SetListIndex(0);
  flows.Click("Command2");
  EXPECT_EQ(Items(list2), (Lines{u" a->c "}));
  while (list2.ListCount() < ListBox::kMaxListItems) list2.AddItem(u"p->q");
  add(u"lost?", u"no");
  EXPECT_EQ(list2.ListCount(), ListBox::kMaxListItems);
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text, FullListMessage(kReplacementListName));
  EXPECT_EQ(text1.Text() + u"|" + text2.Text(), u"lost?|no");
  flows.Click("Command3");
  EXPECT_EQ(list2.ListCount(), 0);
  EXPECT_EQ(text1.Text() + text2.Text(), u"");
}

}  // namespace
}  // namespace tavorin
