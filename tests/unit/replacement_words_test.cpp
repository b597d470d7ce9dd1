#include "core/replacements/replacement_words.h"

#include <gtest/gtest.h>

#include "fake_controls.h"
#include "fake_message_boxes.h"
#include "core/interfaces/full_list.h"
#include "core/replacements/replacement_pair.h"
#include "core/interfaces/memory_list_box.h"

namespace tavorin {
namespace {

using testing::FakeTextBox;

TEST(ReplacementPair, ReadsBackBeforeTheFirstAndAfterTheLastArrow) {
  struct Case {
    std::u16string item, oldText, newText;
  };
  const Case cases[] = {
      {u"年->-", u"年", u"-"}, {u"->", u"", u""},        {u"->x", u"", u"x"},       {u"x->", u"x", u""},
      {u"a->b->c", u"a", u"c"}, {u"a-->b", u"a-", u"b"}, {u"a->->b", u"a", u"b"}, {u" a -> b ", u" a ", u" b "},
      {u"no arrow", u"no arrow", u""},
  };
  for (const auto& c : cases) {
    const auto pair = SplitReplacementPair(c.item);
    EXPECT_EQ(pair.oldText, c.oldText);
    EXPECT_EQ(pair.newText, c.newText);
  }
  EXPECT_EQ(JoinReplacementPair(u" a", u"b "), u" a->b ");
}

class ReplacementWordsTest : public ::testing::Test {
 protected:
  void Add(const std::u16string& oldText, const std::u16string& newText) {
    text1.Type(oldText);
    text2.Type(newText);
    words.Add();
  }
  MemoryListBox list2;
  FakeTextBox text1, text2;
  testing::FakeMessageBoxes messages;
  ReplacementWords words{list2, text1, text2, messages};
};

TEST_F(ReplacementWordsTest, EditLoadsTheSelectedPairAndKeepsIt) {
  Add(u"a->b", u"c");
  EXPECT_EQ(text1.Text() + text2.Text(), u"") << "an added pair leaves the fields";
  text1.Type(u"draft");
  words.Edit();
  EXPECT_EQ(text1.Text(), u"draft") << "nothing selected";

  list2.SetListIndex(0);
  words.Edit();
  EXPECT_EQ(text1.Text(), u"a");
  EXPECT_EQ(text2.Text(), u"c");
  EXPECT_EQ(list2.ListCount(), 1);
  EXPECT_EQ(list2.ListIndex(), 0);

  text2.Type(u"d");
  words.Add();
  ASSERT_EQ(list2.ListCount(), 2);
  EXPECT_EQ(list2.List(0), u"a->b->c");
  EXPECT_EQ(list2.List(1), u"a->d");
}

TEST_F(ReplacementWordsTest, DeleteTakesOnlyTheSelectedPair) {
  Add(u"a", u"b");
  Add(u"c", u"d");
  words.Delete();  // nothing selected
  EXPECT_EQ(list2.ListCount(), 2);
  list2.SetListIndex(0);
  words.Delete();
  EXPECT_EQ(testing::Items(list2), (testing::Lines{u"c->d"}));
}

TEST_F(ReplacementWordsTest, ClearEmptiesListAndFieldsEvenWhenEmpty) {
  text1.Type(u"old");
  text2.Type(u"new");
  words.Clear();
  EXPECT_EQ(text1.Text(), u"");
  EXPECT_EQ(text2.Text(), u"");
  Add(u"a", u"b");
  words.Clear();
  EXPECT_EQ(list2.ListCount(), 0);
}

TEST_F(ReplacementWordsTest, AFullListSaysSoAndKeepsTheTypedPairInTheFields) {
  for (int i = 0; i < ListBox::kMaxListItems; ++i) list2.AddItem(u"p->q");
  Add(u"lost?", u"no");
  EXPECT_EQ(list2.ListCount(), ListBox::kMaxListItems);
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text, FullListMessage(kReplacementListName));
  EXPECT_EQ(text1.Text(), u"lost?");
  EXPECT_EQ(text2.Text(), u"no");
}

}  // namespace
}  // namespace tavorin
