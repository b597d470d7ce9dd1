// Placeholders and replacement pairs in a record's text, and the page
// where the pairs are kept.
#include "core/run/text_expansion.h"

#include <gtest/gtest.h>

#include <chrono>

#include "core/interfaces/full_list.h"
#include "core/interfaces/memory_list_box.h"
#include "fake_run_window.h"
#include "form1_fixture.h"

namespace tavorin {
namespace {

using testing::Items;
using testing::Lines;

// Placeholders are exact lower-case sequences; date and time fields are
// padded, the year is not. Each pair then replaces in one non-overlapping
// scan of the expanded text, in list order.
TEST(TextExpansion, PlaceholdersThenPairs) {
  const std::tuple<const char16_t*, Lines, const char16_t*> cases[] = {  // text, pairs, expanded
      {u"", {}, u""}, {u"%I %D %T %W % 100%", {}, u"%I %D %T %W % 100%"}, {u"%i-%i %%i", {}, u"3-3 %3"},
      {u"%d %t %w", {}, u"2021年03月05日 07:08:09 星期五"}, {u"%d", {u"年->-"}, u"2021-03月05日"},
      {u"x", {u"x->%d"}, u"%d"},  // inserted placeholders stay as they are
      {u"a", {u"a->b", u"b->c"}, u"c"}, {u"a", {u"b->c", u"a->b"}, u"b"}, {u"aaa", {u"a->aa"}, u"aaaaaa"},
      {u"aaa", {u"aa->b"}, u"ba"}, {u"aXa", {u"a->b->c"}, u"cXc"}, {u"abc", {u"->x"}, u"abc"},
      {u"abcb", {u"b->"}, u"ac"}, {u"aA", {u"A->z"}, u"az"},
      {u"no arrow", {u"no arrow"}, u"no arrow"},  // not a pair: must not delete the text
  };
  testing::FixedClock clock;
  for (const auto& [text, pairList, expanded] : cases) {
    MemoryListBox pairs;
    testing::Fill(pairs, pairList);
    EXPECT_EQ(ExpandRecordText(text, 3, pairs, clock), expanded) << testing::ToUtf8(text);
  }
  MemoryListBox none;
  EXPECT_EQ(ExpandRecordText(u"第%i号", 2147483647, none, clock), u"第2147483647号");
  clock.now = {987, 12, 31, 0, 0, 0, 1};
  EXPECT_EQ(ExpandRecordText(u"%d|%t|%w", 1, none, clock), u"987年12月31日|00:00:00|星期日");
  // One clock reading serves all placeholders.
  struct CountingClock : Clock {
    LocalDateTime Now() const override { return {2021, 3, 5, 7, 8, ++reads, 6}; }
    mutable int reads = 0;
  } counting;
  EXPECT_EQ(ExpandRecordText(u"%t %t %w", 1, none, counting), u"07:08:01 07:08:01 星期五");
  EXPECT_EQ(counting.reads, 1);
}

// A clock that misreports the weekday must not read outside the names; the
// real clock's weekday is the one its date falls on.
TEST(WeekdayText, OneIsSundaySevenIsSaturdayOthersAreNothing) {
  const std::pair<int, std::u16string> cases[] = {{0, u""}, {1, u"星期日"}, {7, u"星期六"}, {8, u""}};
  for (const auto& [weekday, text] : cases) EXPECT_EQ(WeekdayText(weekday), text) << weekday;
  using namespace std::chrono;
  const LocalDateTime now = SystemClock().Now();
  const year_month_day date{year(now.year), month(unsigned(now.month)), day(unsigned(now.day))};
  ASSERT_TRUE(date.ok());
  EXPECT_EQ(weekday(sys_days(date)).c_encoding() + 1, unsigned(now.weekday));
}

using ReplacementWordsTest = testing::Form1Test;

// "添加" joins the fields and empties them; on a full list it says so and the
// fields keep the pair. "编辑" loads the selected pair back, "删除" takes it,
// "清空" empties the list and the fields.
TEST_F(ReplacementWordsTest, AddEditDeleteAndClear) {
  const auto pairs = [&] {  // the list's items, then the two fields
    std::u16string all;
    for (const auto& item : Items(list2)) all += item + u";";
    return all + u"|" + text1.Text() + u"|" + text2.Text();
  };
  text1.Type(u" a->b");
  text2.Type(u"c ");
  flows.Click("Command1");
  EXPECT_EQ(pairs(), u" a->b->c ;||");
  text1.Type(u"draft");
  flows.Click("Command4");  // nothing selected
  flows.Click("Command2");
  EXPECT_EQ(pairs(), u" a->b->c ;|draft|");
  list2.SetListIndex(0);
  flows.Click("Command4");
  EXPECT_EQ(pairs(), u" a->b->c ;| a|c ");
  flows.Click("Command1");
  EXPECT_EQ(pairs(), u" a->b->c ; a->c ;||");
  list2.SetListIndex(0);
  flows.Click("Command2");
  EXPECT_EQ(pairs(), u" a->c ;||");
  while (list2.ListCount() < ListBox::kMaxListItems) list2.AddItem(u"p->q");
  text1.Type(u"lost?");
  text2.Type(u"no");
  flows.Click("Command1");
  EXPECT_EQ(list2.ListCount(), ListBox::kMaxListItems);
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text, FullListMessage(kReplacementListName));
  EXPECT_EQ(text1.Text() + u"|" + text2.Text(), u"lost?|no");
  flows.Click("Command3");
  EXPECT_EQ(pairs(), u"||");
}

}  // namespace
}  // namespace tavorin
