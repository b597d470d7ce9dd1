#include "core/run/text_expansion.h"

#include <gtest/gtest.h>

#include <chrono>

#include "fake_run_window.h"
#include "core/interfaces/memory_list_box.h"

namespace tavorin {
namespace {

using testing::FixedClock;

class TextExpansionTest : public ::testing::Test {
 protected:
  std::u16string Expand(const std::u16string& text, std::int32_t pass = 1) {
    return ExpandRecordText(text, pass, pairs, clock);
  }
  void Pairs(std::initializer_list<const char16_t*> items) {
    for (const auto* item : items) pairs.AddItem(item);
  }
  MemoryListBox pairs;
  FixedClock clock;
};

TEST_F(TextExpansionTest, PlaceholdersAreExactLowerCaseSequences) {
  EXPECT_EQ(Expand(u""), u"");
  EXPECT_EQ(Expand(u"纯文本 100%"), u"纯文本 100%");
  EXPECT_EQ(Expand(u"%I %D %T %W %"), u"%I %D %T %W %");
  EXPECT_EQ(Expand(u"%i-%i", 3), u"3-3");
  EXPECT_EQ(Expand(u"%%i"), u"%1");
  EXPECT_EQ(Expand(u"第%i号", 2147483647), u"第2147483647号");
  EXPECT_EQ(Expand(u"%d %t %w"), u"2021年03月05日 07:08:09 星期五");
}

TEST_F(TextExpansionTest, DateAndTimeFieldsArePaddedButTheYearIsNot) {
  clock.now = {987, 12, 31, 0, 0, 0, 1};
  EXPECT_EQ(Expand(u"%d|%t|%w"), u"987年12月31日|00:00:00|星期日");
  clock.now = {2020, 6, 30, 23, 59, 5, 3};
  EXPECT_EQ(Expand(u"%t%d"), u"23:59:052020年06月30日");
}

// A clock that misreports the weekday must not read outside the names.
TEST(WeekdayText, OneIsSundaySevenIsSaturdayOthersAreNothing) {
  const std::pair<int, std::u16string> cases[] = {{0, u""}, {1, u"星期日"}, {7, u"星期六"}, {8, u""}};
  for (const auto& [weekday, text] : cases) EXPECT_EQ(WeekdayText(weekday), text) << weekday;
}

// The real clock: its weekday is the one its date falls on, which no field
// off by one can keep.
TEST(SystemClock, WeekdayIsTheOneOfTheDate) {
  const LocalDateTime now = SystemClock().Now();
  const std::chrono::year_month_day date{std::chrono::year(now.year),
                                         std::chrono::month(static_cast<unsigned>(now.month)),
                                         std::chrono::day(static_cast<unsigned>(now.day))};
  ASSERT_TRUE(date.ok());
  EXPECT_EQ(std::chrono::weekday(std::chrono::sys_days(date)).c_encoding() + 1,
            static_cast<unsigned>(now.weekday));
}

TEST_F(TextExpansionTest, OneClockReadingServesAllPlaceholders) {
  struct CountingClock : Clock {
    LocalDateTime Now() const override {
      ++reads;
      return {2021, 3, 5, 7, 8, reads, 6};
    }
    mutable int reads = 0;
  } counting;
  EXPECT_EQ(ExpandRecordText(u"%t %t %d %w", 1, pairs, counting), u"07:08:01 07:08:01 2021年03月05日 星期五");
  EXPECT_EQ(counting.reads, 1);
}

TEST_F(TextExpansionTest, PairsWorkOnTheExpandedTextInListOrder) {
  Pairs({u"年->-"});
  EXPECT_EQ(Expand(u"%d"), u"2021-03月05日");

  pairs.Clear();
  Pairs({u"x->%d"});
  EXPECT_EQ(Expand(u"x"), u"%d");  // inserted placeholders stay as they are

  pairs.Clear();
  Pairs({u"a->b", u"b->c"});
  EXPECT_EQ(Expand(u"a"), u"c");
  pairs.Clear();
  Pairs({u"b->c", u"a->b"});
  EXPECT_EQ(Expand(u"a"), u"b");
}

TEST_F(TextExpansionTest, EachPairReplacesInOneNonOverlappingScan) {
  const struct {
    const char16_t* pair;
    const char16_t* text;
    const char16_t* expected;
  } cases[] = {
      {u"a->aa", u"aaa", u"aaaaaa"}, {u"aa->b", u"aaa", u"ba"},    {u"a->b->c", u"aXa", u"cXc"},
      {u"->x", u"abc", u"abc"},      {u"b->", u"abcb", u"ac"},     {u"A->z", u"aA", u"az"},
      {u"no arrow", u"no arrow", u"no arrow"},  // not a pair: must not delete the text
  };
  for (const auto& c : cases) {
    pairs.Clear();
    pairs.AddItem(c.pair);
    EXPECT_EQ(Expand(c.text), c.expected) << testing::ToUtf8(c.pair);
  }
}

}  // namespace
}  // namespace tavorin
