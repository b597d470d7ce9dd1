// The shared table both front ends build the main window from: whatever a
// typo in it would break on either system.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "core/window/form1_control_table.h"

namespace tavorin {
namespace {

bool TakesInput(ControlKind kind) {
  return kind != ControlKind::kLabel && kind != ControlKind::kPage && kind != ControlKind::kFrame &&
         kind != ControlKind::kTabStrip;
}

// Names are unique and parents come first; each control fits inside its
// parent; visible input controls of one parent do not overlap (a drop-down
// list is about one text box high).
TEST(Form1ControlTable, NamesParentsAndPlaces) {
  std::set<std::string_view> seen = {kForm1Name};
  const auto table = Form1ControlTable();
  for (const ControlSpec& spec : table) {
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
  for (std::size_t i = 0; i < table.size(); ++i) {
    for (std::size_t j = i + 1; j < table.size(); ++j) {
      const ControlSpec& a = table[i];
      const ControlSpec& b = table[j];
      if (a.parent != b.parent || !TakesInput(a.kind) || !TakesInput(b.kind) || a.Has(kHidden) || b.Has(kHidden)) {
        continue;
      }
      const int aHeight = a.rect.height > 0 ? a.rect.height : 375;
      const int bHeight = b.rect.height > 0 ? b.rect.height : 375;
      EXPECT_FALSE(a.rect.left < b.rect.left + b.rect.width && b.rect.left < a.rect.left + a.rect.width &&
                   a.rect.top < b.rect.top + bHeight && b.rect.top < a.rect.top + aHeight)
          << a.name << " and " << b.name;
    }
  }
}

TEST(Form1ControlTable, TwipsBecomePixelsAtTheScreensResolution) {
  EXPECT_EQ(TwipsToPixels(kForm1OuterWidth), 328);
  EXPECT_EQ(TwipsToPixels(4920, 144), 492);  // 150 %
  EXPECT_EQ(TwipsToPixels(14), 0);
}

}  // namespace
}  // namespace tavorin
