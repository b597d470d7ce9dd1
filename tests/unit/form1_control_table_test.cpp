// The shared table both front ends build the main window from: whatever a
// typo in it would break on either system.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "core/window/form1_control_table.h"

namespace tavorin {
namespace {

bool Overlap(const TwipRect& a, const TwipRect& b) {
  // A drop-down list is about one text box high.
  const int aHeight = a.height > 0 ? a.height : 375;
  const int bHeight = b.height > 0 ? b.height : 375;
  return a.left < b.left + b.width && b.left < a.left + a.width && a.top < b.top + bHeight &&
         b.top < a.top + aHeight;
}

bool TakesInput(ControlKind kind) {
  return kind != ControlKind::kLabel && kind != ControlKind::kPage &&
         kind != ControlKind::kFrame && kind != ControlKind::kTabStrip;
}

TEST(Form1ControlTable, NamesAreUniqueAndParentsComeFirst) {
  std::set<std::string_view> seen = {kForm1Name};
  for (const ControlSpec& spec : Form1ControlTable()) {
    EXPECT_TRUE(seen.contains(spec.parent)) << spec.name << " under " << spec.parent;
    EXPECT_TRUE(seen.insert(spec.name).second) << spec.name << " twice";
    EXPECT_EQ(FindForm1Control(spec.name), &spec);
  }
  EXPECT_EQ(FindForm1Control("Command16"), nullptr);
}

TEST(Form1ControlTable, EveryControlFitsInsideItsParent) {
  for (const ControlSpec& spec : Form1ControlTable()) {
    const ControlSpec* parent = FindForm1Control(spec.parent);
    if (parent == nullptr) continue;  // on the window itself
    const TwipRect& r = spec.rect;
    EXPECT_GE(r.left, 0) << spec.name;
    EXPECT_GE(r.top, 0) << spec.name;
    EXPECT_LE(r.left + r.width, parent->rect.width) << spec.name;
    EXPECT_LE(r.top + r.height, parent->rect.height) << spec.name;
  }
}

TEST(Form1ControlTable, VisibleInputControlsOfOneParentDoNotOverlap) {
  const auto table = Form1ControlTable();
  for (std::size_t i = 0; i < table.size(); ++i) {
    for (std::size_t j = i + 1; j < table.size(); ++j) {
      const ControlSpec& a = table[i];
      const ControlSpec& b = table[j];
      if (a.parent != b.parent || !TakesInput(a.kind) || !TakesInput(b.kind)) continue;
      if (a.Has(kHidden) || b.Has(kHidden)) continue;
      EXPECT_FALSE(Overlap(a.rect, b.rect)) << a.name << " and " << b.name;
    }
  }
}

TEST(Form1ControlTable, OnePageAndOneTabPerIndexWithOnlyTheFirstShown) {
  for (int i = 0; i < kForm1PageCount; ++i) {
    const std::string name = "PicPage(" + std::to_string(i) + ")";
    const ControlSpec* page = FindForm1Control(name);
    ASSERT_NE(page, nullptr) << name;
    EXPECT_EQ(page->kind, ControlKind::kPage);
    EXPECT_EQ(page->Has(kHidden), i != 0) << name;
    EXPECT_FALSE(kTabCaptions[i].empty());
  }
}

TEST(Form1ControlTable, OnlyTheRecordEditorUsesTheLargerFontAndOneOptionIsChosen) {
  int chosen = 0;
  for (const ControlSpec& spec : Form1ControlTable()) {
    const bool editor = spec.kind == ControlKind::kRecordEditor;
    EXPECT_EQ(spec.fontPoints, editor ? kEditorFontPoints : kUiFontPoints) << spec.name;
    if (spec.kind == ControlKind::kButton || spec.kind == ControlKind::kFrame) {
      EXPECT_FALSE(spec.caption.empty()) << spec.name;
    }
    if (spec.Has(kChosen)) ++chosen;
  }
  EXPECT_EQ(chosen, 1);
}

TEST(Form1ControlTable, TwipsBecomePixelsAtTheScreensResolution) {
  EXPECT_EQ(TwipsToPixels(kForm1OuterWidth), 328);
  EXPECT_EQ(TwipsToPixels(kForm1OuterHeight), 471);
  EXPECT_EQ(TwipsToPixels(735), 49);
  EXPECT_EQ(TwipsToPixels(4920, 144), 492);  // 150 %
  EXPECT_EQ(TwipsToPixels(14), 0);
}

}  // namespace
}  // namespace tavorin
