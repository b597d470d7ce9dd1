#include "core/replacements/replacement_words.h"

#include <gtest/gtest.h>

#include "fake_controls.h"
#include "fake_message_boxes.h"
#include "core/interfaces/full_list.h"
#include "core/interfaces/memory_list_box.h"
#include "core/replacements/replacement_pair.h"

namespace tavorin {
namespace {

using testing::Items;
using testing::Lines;

TEST(ReplacementPair, ReadsBackBeforeTheFirstAndAfterTheLastArrow) {
  const std::u16string cases[][3] = {
      {u"年->-", u"年", u"-"}, {u"->", u"", u""},        {u"->x", u"", u"x"},       {u"x->", u"x", u""},
      {u"a->b->c", u"a", u"c"}, {u"a-->b", u"a-", u"b"}, {u"a->->b", u"a", u"b"}, {u" a -> b ", u" a ", u" b "},
      {u"no arrow", u"no arrow", u""},
  };
  for (const auto& [item, oldText, newText] : cases) {
    const auto pair = SplitReplacementPair(item);
    EXPECT_EQ(pair.oldText + u"|" + pair.newText, oldText + u"|" + newText);
  }
}

// "添加" joins the fields and empties them; on a full list it says so and the
// fields keep the pair. "编辑" loads the selected pair back, "删除" takes it,
// "清空" empties the list and the fields.
TEST(ReplacementWords, AddEditDeleteAndClear) {
  MemoryListBox list2;
  testing::FakeTextBox text1, text2;
  testing::FakeMessageBoxes messages;
  ReplacementWords words{list2, text1, text2, messages};
  const auto add = [&](const std::u16string& oldText, const std::u16string& newText) {
    text1.Type(oldText);
    text2.Type(newText);
    words.Add();
  };
  add(u" a->b", u"c ");
  EXPECT_EQ(text1.Text() + text2.Text(), u"");
  text1.Type(u"draft");
  words.Edit();  // nothing selected
  words.Delete();
  EXPECT_EQ(text1.Text(), u"draft");
  list2.SetListIndex(0);
  words.Edit();
  EXPECT_EQ(text1.Text(), u" a");
  EXPECT_EQ(text2.Text(), u"c ");
  words.Add();
  EXPECT_EQ(Items(list2), (Lines{u" a->b->c ", u" a->c "}));
  list2.SetListIndex(0);
  words.Delete();
  EXPECT_EQ(Items(list2), (Lines{u" a->c "}));
  while (list2.ListCount() < ListBox::kMaxListItems) list2.AddItem(u"p->q");
  add(u"lost?", u"no");
  EXPECT_EQ(list2.ListCount(), ListBox::kMaxListItems);
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text, FullListMessage(kReplacementListName));
  EXPECT_EQ(text1.Text() + u"|" + text2.Text(), u"lost?|no");
  words.Clear();
  EXPECT_EQ(list2.ListCount(), 0);
  EXPECT_EQ(text1.Text() + text2.Text(), u"");
}

}  // namespace
}  // namespace tavorin
