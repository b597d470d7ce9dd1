#pragma once

#include <array>
#include <cstdint>
#include <vector>

struct _XDisplay;

namespace tavorin {

// Presses and releases keys by Windows virtual-key code through XTest on a
// display connection owned by the caller. Keeps a copy of the server's
// keymap, refreshed whenever the server announces a change, so a lookup costs
// no round trip. A keysym the keymap lacks is bound to an unused keycode from
// its key-down until UnbindBorrowedKeycodes, which the platform calls when the
// run ends (or when no unused keycode is left): a target reads the changed
// keymap only when it gets round to the change notice, and must still find
// the binding then.
class X11Keyboard {
 public:
  explicit X11Keyboard(_XDisplay* display);
  ~X11Keyboard();
  X11Keyboard(const X11Keyboard&) = delete;
  X11Keyboard& operator=(const X11Keyboard&) = delete;

  void Press(std::uint8_t virtualKey);
  void Release(std::uint8_t virtualKey);
  bool Held(std::uint8_t virtualKey) const { return held_[virtualKey].keycode != 0; }
  // Restores the empty binding of every borrowed keycode no longer held.
  void UnbindBorrowedKeycodes();

 private:
  struct HeldKey {
    unsigned keycode = 0;
    bool temporary = false;  // bound by us for this tap; unbind after the up
  };

  void RefreshIfChanged();
  void LoadKeymap();
  unsigned KeycodeForVirtualKey(std::uint8_t virtualKey);
  unsigned KeycodeForKeysym(unsigned long keysym) const;
  unsigned KeycodeForGenericModifier(std::uint8_t virtualKey);
  unsigned BindToSpareKeycode(unsigned long keysym);
  void Unbind(unsigned keycode);

  _XDisplay* display_;
  int minKeycode_ = 8;
  int maxKeycode_ = 255;
  int keysymsPerKeycode_ = 0;
  std::vector<unsigned long> keymap_;  // keysymsPerKeycode_ entries per keycode
  std::vector<unsigned> modifierKeycodes_;  // 8 rows of modifiersPerRow_
  int modifiersPerRow_ = 0;
  std::array<HeldKey, 256> held_{};
  std::vector<unsigned> borrowed_;  // released, still bound
};

}  // namespace tavorin
