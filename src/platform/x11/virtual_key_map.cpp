#include "platform/x11/virtual_key_map.h"

#include <QGuiApplication>
#include <X11/XF86keysym.h>
#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/keysym.h>

#include <utility>

namespace tavorin {
namespace {

// Codes that do not follow a numeric run. Letters, digits, F-keys and the
// numeric keypad digits are computed below.
constexpr std::pair<std::uint8_t, unsigned long> kTable[] = {
    {3, XK_Cancel},
    {8, XK_BackSpace},
    {9, XK_Tab},
    {12, XK_Clear},
    {13, XK_Return},
    {16, XK_Shift_L},
    {17, XK_Control_L},
    {18, XK_Alt_L},
    {19, XK_Pause},
    {20, XK_Caps_Lock},
    {27, XK_Escape},
    {32, XK_space},
    {33, XK_Prior},
    {34, XK_Next},
    {35, XK_End},
    {36, XK_Home},
    {37, XK_Left},
    {38, XK_Up},
    {39, XK_Right},
    {40, XK_Down},
    {41, XK_Select},
    {42, XK_Print},
    {43, XK_Execute},
    {44, XK_Print},
    {45, XK_Insert},
    {46, XK_Delete},
    {47, XK_Help},
    {91, XK_Super_L},
    {92, XK_Super_R},
    {93, XK_Menu},
    {95, XF86XK_Sleep},
    {106, XK_KP_Multiply},
    {107, XK_KP_Add},
    {108, XK_KP_Separator},
    {109, XK_KP_Subtract},
    {110, XK_KP_Decimal},
    {111, XK_KP_Divide},
    {144, XK_Num_Lock},
    {145, XK_Scroll_Lock},
    {160, XK_Shift_L},
    {161, XK_Shift_R},
    {162, XK_Control_L},
    {163, XK_Control_R},
    {164, XK_Alt_L},
    {165, XK_Alt_R},
    {166, XF86XK_Back},
    {167, XF86XK_Forward},
    {168, XF86XK_Refresh},
    {169, XF86XK_Stop},
    {170, XF86XK_Search},
    {171, XF86XK_Favorites},
    {172, XF86XK_HomePage},
    {173, XF86XK_AudioMute},
    {174, XF86XK_AudioLowerVolume},
    {175, XF86XK_AudioRaiseVolume},
    {176, XF86XK_AudioNext},
    {177, XF86XK_AudioPrev},
    {178, XF86XK_AudioStop},
    {179, XF86XK_AudioPlay},
    {180, XF86XK_Mail},
    {181, XF86XK_AudioMedia},
    {182, XF86XK_MyComputer},
    {183, XF86XK_Calculator},
    // US layout punctuation.
    {186, XK_semicolon},
    {187, XK_equal},
    {188, XK_comma},
    {189, XK_minus},
    {190, XK_period},
    {191, XK_slash},
    {192, XK_grave},
    {219, XK_bracketleft},
    {220, XK_backslash},
    {221, XK_bracketright},
    {222, XK_apostrophe},
    // The extra key beside left Shift on ISO keyboards.
    {226, XK_less},
    // Input-method keys of Japanese and Korean keyboards.
    {21, XK_Hangul},
    {25, XK_Hangul_Hanja},
    {28, XK_Henkan},
    {29, XK_Muhenkan},
};

// Keysyms a key press reports that the table above does not send, or sends
// for another code. Windows reports either side of a modifier by its generic
// code, and the Print Screen key as VK_SNAPSHOT (44).
constexpr std::pair<unsigned long, std::uint8_t> kReportedOnly[] = {
    {XK_Shift_R, 16},   {XK_Control_R, 17}, {XK_Alt_R, 18},   {XK_Print, 44},
    {XK_ISO_Left_Tab, 9}, {XK_KP_Enter, 13}, {XK_KP_Begin, 12}, {XK_KP_Prior, 33},
    {XK_KP_Next, 34},   {XK_KP_End, 35},    {XK_KP_Home, 36}, {XK_KP_Left, 37},
    {XK_KP_Up, 38},     {XK_KP_Right, 39},  {XK_KP_Down, 40}, {XK_KP_Insert, 45},
    {XK_KP_Delete, 46},
    // Comma-decimal layouts put KP_Separator on the keypad's decimal key,
    // which Windows reports as the decimal key whatever it types.
    {XK_KP_Separator, 110},
};

// The keysym on the first level of the key's first group, the key as
// printed, whatever modifiers were held.
std::optional<unsigned long> FirstLevelKeysym(unsigned keycode) {
  if (QGuiApplication::platformName() != QLatin1String("xcb")) return std::nullopt;
  auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
  if (x11 == nullptr || x11->display() == nullptr || keycode < 8 || keycode > 255) return std::nullopt;
  const KeySym keysym = XkbKeycodeToKeysym(x11->display(), static_cast<KeyCode>(keycode), 0, 0);
  if (keysym == NoSymbol) return std::nullopt;
  return keysym;
}

}  // namespace

std::optional<unsigned long> KeysymForVirtualKey(std::uint8_t virtualKey) {
  const unsigned vk = virtualKey;
  if (vk >= 'A' && vk <= 'Z') return XK_a + (vk - 'A');
  if (vk >= '0' && vk <= '9') return XK_0 + (vk - '0');
  if (vk >= 96 && vk <= 105) return XK_KP_0 + (vk - 96);
  if (vk >= 112 && vk <= 135) return XK_F1 + (vk - 112);
  for (const auto& [code, keysym] : kTable) {
    if (code == vk) return keysym;
  }
  return std::nullopt;
}

std::optional<std::uint8_t> VirtualKeyForKeysym(unsigned long keysym) {
  const auto code = [](unsigned long value) { return static_cast<std::uint8_t>(value); };
  if (keysym >= XK_a && keysym <= XK_z) return code('A' + (keysym - XK_a));
  if (keysym >= XK_A && keysym <= XK_Z) return code('A' + (keysym - XK_A));
  if (keysym >= XK_0 && keysym <= XK_9) return code('0' + (keysym - XK_0));
  if (keysym >= XK_KP_0 && keysym <= XK_KP_9) return code(96 + (keysym - XK_KP_0));
  if (keysym >= XK_F1 && keysym <= XK_F24) return code(112 + (keysym - XK_F1));
  for (const auto& [reported, vk] : kReportedOnly) {
    if (reported == keysym) return vk;
  }
  // The first code in the table is the generic one (16 before 160).
  for (const auto& [vk, sent] : kTable) {
    if (sent == keysym) return vk;
  }
  return std::nullopt;
}

std::optional<std::uint8_t> VirtualKeyForPressedKey(unsigned long keysym, unsigned keycode) {
  // Keypad keysyms already name their key and its Num Lock state (KP_7 is
  // 103, KP_Home 36), which the key's first level would lose.
  const bool keypad = keysym >= XK_KP_Space && keysym <= XK_KP_Equal;
  if (!keypad) {
    // A code names the key, not the character: Shift+, is the comma key
    // (188), not "<", which X also reports for the extra key beside Shift.
    if (const auto base = FirstLevelKeysym(keycode)) {
      if (auto vk = VirtualKeyForKeysym(*base)) return vk;
    }
  }
  return VirtualKeyForKeysym(keysym);
}

}  // namespace tavorin
