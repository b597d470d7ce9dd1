#include "platform/x11/virtual_key_map.h"

#include <gtest/gtest.h>

// After gtest: Xlib's macros (None among them) break its headers.
#include <X11/XF86keysym.h>
#include <X11/Xlib.h>
#include <X11/keysym.h>

#include <map>
#include <set>

namespace tavorin {
namespace {

std::optional<unsigned long> Map(int vk) { return KeysymForVirtualKey(static_cast<std::uint8_t>(vk)); }

TEST(VirtualKeyMapTest, LettersAndDigitsPressTheUnshiftedKeysym) {
  EXPECT_EQ(Map('A'), XK_a);
  EXPECT_EQ(Map('V'), XK_v);  // the paste chord must not turn into Ctrl+Shift+V
  EXPECT_EQ(Map('Z'), XK_z);
  EXPECT_EQ(Map('0'), XK_0);
  EXPECT_EQ(Map('9'), XK_9);
  EXPECT_EQ(Map('@'), std::nullopt);  // 64, just below 'A'
  EXPECT_EQ(Map('Z' + 1), XK_Super_L);  // 91 is the left Windows key, not a letter
}

TEST(VirtualKeyMapTest, FunctionKeysRunFromF1ToF24) {
  EXPECT_EQ(Map(112), XK_F1);
  EXPECT_EQ(Map(116), XK_F5);
  EXPECT_EQ(Map(123), XK_F12);
  EXPECT_EQ(Map(124), XK_F13);
  EXPECT_EQ(Map(135), XK_F24);
  EXPECT_EQ(Map(136), std::nullopt);
  EXPECT_EQ(Map(111), XK_KP_Divide);  // just below F1
}

TEST(VirtualKeyMapTest, ModifiersKeepTheirSide) {
  EXPECT_EQ(Map(16), XK_Shift_L);
  EXPECT_EQ(Map(17), XK_Control_L);
  EXPECT_EQ(Map(18), XK_Alt_L);
  EXPECT_EQ(Map(160), XK_Shift_L);
  EXPECT_EQ(Map(161), XK_Shift_R);
  EXPECT_EQ(Map(162), XK_Control_L);
  EXPECT_EQ(Map(163), XK_Control_R);
  EXPECT_EQ(Map(164), XK_Alt_L);
  EXPECT_EQ(Map(165), XK_Alt_R);
  EXPECT_EQ(Map(91), XK_Super_L);
  EXPECT_EQ(Map(92), XK_Super_R);
}

TEST(VirtualKeyMapTest, NumericKeypadIsDistinctFromTheMainKeys) {
  EXPECT_EQ(Map(96), XK_KP_0);
  EXPECT_EQ(Map(105), XK_KP_9);
  EXPECT_EQ(Map(106), XK_KP_Multiply);
  EXPECT_EQ(Map(107), XK_KP_Add);
  EXPECT_EQ(Map(108), XK_KP_Separator);
  EXPECT_EQ(Map(109), XK_KP_Subtract);
  EXPECT_EQ(Map(110), XK_KP_Decimal);
  EXPECT_EQ(Map(13), XK_Return);
}

TEST(VirtualKeyMapTest, NavigationPunctuationAndMediaKeys) {
  EXPECT_EQ(Map(33), XK_Prior);
  EXPECT_EQ(Map(34), XK_Next);
  EXPECT_EQ(Map(37), XK_Left);
  EXPECT_EQ(Map(40), XK_Down);
  EXPECT_EQ(Map(46), XK_Delete);
  EXPECT_EQ(Map(186), XK_semicolon);
  EXPECT_EQ(Map(192), XK_grave);
  EXPECT_EQ(Map(219), XK_bracketleft);
  EXPECT_EQ(Map(222), XK_apostrophe);
  EXPECT_EQ(Map(166), XF86XK_Back);
  EXPECT_EQ(Map(173), XF86XK_AudioMute);
  EXPECT_EQ(Map(179), XF86XK_AudioPlay);
}

TEST(VirtualKeyMapTest, UnassignedCodesHaveNoKeysym) {
  for (int vk : {0, 1, 7, 10, 11, 14, 15, 58, 63, 136, 143, 146, 159, 184, 185, 193, 218, 223, 255}) {
    EXPECT_EQ(Map(vk), std::nullopt) << "vk " << vk;
  }
}

// Catches typos in the table: every keysym must be one X knows by name, and
// only known aliases may share a keysym.
TEST(VirtualKeyMapTest, EveryMappedKeysymIsNamedAndUnique) {
  const std::set<std::set<int>> aliases = {{16, 160}, {17, 162}, {18, 164}, {42, 44}};
  std::map<unsigned long, std::set<int>> codesByKeysym;
  for (int vk = 0; vk <= 255; ++vk) {
    const auto keysym = Map(vk);
    if (!keysym) continue;
    EXPECT_NE(XKeysymToString(*keysym), nullptr) << "vk " << vk;
    codesByKeysym[*keysym].insert(vk);
  }
  for (const auto& [keysym, codes] : codesByKeysym) {
    if (codes.size() > 1) {
      EXPECT_TRUE(aliases.count(codes)) << XKeysymToString(keysym);
    }
  }
}

}  // namespace
}  // namespace tavorin
