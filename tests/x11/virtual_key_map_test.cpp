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

// A captured key must replay as itself: the X layer sends back the keysym
// it was captured from. Right-hand modifiers come back generic, and the
// keypad separator as the decimal key it sits on, as Windows reports them.
TEST(ReverseKeyMapTest, EverySentKeysymComesBackToACodeSendingIt) {
  const std::map<int, int> generic = {{161, 16}, {163, 17}, {165, 18}, {108, 110}};
  for (int vk = 0; vk <= 255; ++vk) {
    const auto keysym = Map(vk);
    if (!keysym) continue;
    const auto back = VirtualKeyForKeysym(*keysym);
    ASSERT_TRUE(back.has_value()) << "vk " << vk;
    if (generic.count(vk)) EXPECT_EQ(*back, generic.at(vk));
    else EXPECT_EQ(Map(*back), keysym) << "vk " << vk << " came back as " << int(*back);
  }
}

TEST(ReverseKeyMapTest, KeysymsOnlyAKeyPressReports) {
  const std::pair<unsigned long, int> cases[] = {
      {XK_A, 'A'},        {XK_Shift_R, 16},  {XK_Control_R, 17}, {XK_Alt_R, 18},
      {XK_Print, 44},     {XK_KP_Enter, 13}, {XK_KP_Home, 36},   {XK_ISO_Left_Tab, 9},
      {XK_exclam, -1},    {XK_colon, -1},    {XK_eacute, -1},
  };
  for (const auto& [keysym, vk] : cases) {
    const auto code = VirtualKeyForKeysym(keysym);
    EXPECT_EQ(code ? int(*code) : -1, vk) << "keysym 0x" << std::hex << keysym;
  }
}

}  // namespace
}  // namespace tavorin
