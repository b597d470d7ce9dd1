#include "platform/x11/x11_keyboard.h"

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include "platform/x11/virtual_key_map.h"

namespace tavorin {

X11Keyboard::X11Keyboard(_XDisplay* display) : display_(display) {
  LoadKeymap();
}

X11Keyboard::~X11Keyboard() {
  // A run cut short between a down and its up must not leave a key held or
  // a borrowed keycode bound.
  for (auto& key : held_) {
    if (key.keycode == 0) continue;
    XTestFakeKeyEvent(display_, key.keycode, False, CurrentTime);
    if (key.temporary) borrowed_.push_back(key.keycode);
    key = HeldKey{};
  }
  XSync(display_, False);
  UnbindBorrowedKeycodes();
}

void X11Keyboard::LoadKeymap() {
  XDisplayKeycodes(display_, &minKeycode_, &maxKeycode_);
  const int count = maxKeycode_ - minKeycode_ + 1;
  KeySym* map = XGetKeyboardMapping(display_, static_cast<KeyCode>(minKeycode_), count,
                                    &keysymsPerKeycode_);
  keymap_.assign(map, map + static_cast<std::size_t>(count) * keysymsPerKeycode_);
  XFree(map);

  XModifierKeymap* modifiers = XGetModifierMapping(display_);
  modifiersPerRow_ = modifiers->max_keypermod;
  modifierKeycodes_.assign(modifiers->modifiermap, modifiers->modifiermap + 8 * modifiersPerRow_);
  XFreeModifiermap(modifiers);
}

void X11Keyboard::RefreshIfChanged() {
  // The server tells every client about keymap changes (layout switches,
  // other programs, our own temporary bindings); nothing else arrives on this
  // connection, which selects no events.
  bool changed = false;
  while (XPending(display_) > 0) {
    XEvent event;
    XNextEvent(display_, &event);
    if (event.type == MappingNotify) {
      XRefreshKeyboardMapping(&event.xmapping);
      changed = true;
    }
  }
  if (changed) LoadKeymap();
}

unsigned X11Keyboard::KeycodeForKeysym(unsigned long keysym) const {
  // Column by column, so the unshifted position of a keysym wins.
  for (int column = 0; column < keysymsPerKeycode_; ++column) {
    for (int code = minKeycode_; code <= maxKeycode_; ++code) {
      if (keymap_[static_cast<std::size_t>(code - minKeycode_) * keysymsPerKeycode_ + column] ==
          keysym) {
        return static_cast<unsigned>(code);
      }
    }
  }
  return 0;
}

unsigned X11Keyboard::KeycodeForGenericModifier(std::uint8_t virtualKey) {
  auto firstOfRow = [this](int row) -> unsigned {
    for (int i = 0; i < modifiersPerRow_; ++i) {
      if (unsigned code = modifierKeycodes_[row * modifiersPerRow_ + i]) return code;
    }
    return 0;
  };
  if (virtualKey == 16) return firstOfRow(ShiftMapIndex);
  if (virtualKey == 17) return firstOfRow(ControlMapIndex);
  // Alt has no fixed row: find the modifier that holds an Alt (or Meta) key.
  for (unsigned long alt : {XK_Alt_L, XK_Alt_R, XK_Meta_L}) {
    for (int row = Mod1MapIndex; row <= Mod5MapIndex; ++row) {
      for (int i = 0; i < modifiersPerRow_; ++i) {
        const unsigned code = modifierKeycodes_[row * modifiersPerRow_ + i];
        if (code != 0 &&
            keymap_[static_cast<std::size_t>(code - minKeycode_) * keysymsPerKeycode_] == alt) {
          return code;
        }
      }
    }
  }
  return 0;
}

unsigned X11Keyboard::KeycodeForVirtualKey(std::uint8_t virtualKey) {
  if (virtualKey >= 16 && virtualKey <= 18) {
    if (unsigned code = KeycodeForGenericModifier(virtualKey)) return code;
  }
  const auto keysym = KeysymForVirtualKey(virtualKey);
  return keysym ? KeycodeForKeysym(*keysym) : 0;
}

unsigned X11Keyboard::BindToSpareKeycode(unsigned long keysym) {
  // From the top down: low keycodes are the ones layouts tend to fill.
  for (int code = maxKeycode_; code >= minKeycode_; --code) {
    const auto first = keymap_.begin() + static_cast<std::ptrdiff_t>(code - minKeycode_) *
                                             keysymsPerKeycode_;
    bool unused = true;
    for (int i = 0; i < keysymsPerKeycode_; ++i) unused = unused && first[i] == NoSymbol;
    if (!unused) continue;
    bool held = false;
    for (const auto& key : held_) held = held || key.keycode == static_cast<unsigned>(code);
    if (held) continue;

    std::vector<KeySym> binding(static_cast<std::size_t>(keysymsPerKeycode_), keysym);
    XChangeKeyboardMapping(display_, code, keysymsPerKeycode_, binding.data(), 1);
    XSync(display_, False);
    std::copy(binding.begin(), binding.end(), first);
    return static_cast<unsigned>(code);
  }
  // All taken: keycodes borrowed earlier and let go are free again.
  if (!borrowed_.empty()) {
    UnbindBorrowedKeycodes();
    return BindToSpareKeycode(keysym);
  }
  return 0;
}

void X11Keyboard::Unbind(unsigned keycode) {
  // The keycode was chosen because every column was empty: empty it again.
  std::vector<KeySym> empty(static_cast<std::size_t>(keysymsPerKeycode_), NoSymbol);
  XChangeKeyboardMapping(display_, static_cast<int>(keycode), keysymsPerKeycode_, empty.data(), 1);
  XSync(display_, False);
  std::fill_n(keymap_.begin() + static_cast<std::ptrdiff_t>(keycode - minKeycode_) *
                                    keysymsPerKeycode_,
              keysymsPerKeycode_, NoSymbol);
}

void X11Keyboard::Press(std::uint8_t virtualKey) {
  RefreshIfChanged();
  HeldKey& key = held_[virtualKey];
  if (key.keycode == 0) {
    key.keycode = KeycodeForVirtualKey(virtualKey);
    key.temporary = false;
    if (key.keycode == 0) {
      if (const auto keysym = KeysymForVirtualKey(virtualKey)) {
        key.keycode = BindToSpareKeycode(*keysym);
        key.temporary = key.keycode != 0;
      }
    }
  }
  if (key.keycode == 0) return;  // nothing to press: the tap does nothing
  XTestFakeKeyEvent(display_, key.keycode, True, CurrentTime);
  XSync(display_, False);
}

void X11Keyboard::Release(std::uint8_t virtualKey) {
  RefreshIfChanged();
  HeldKey key = held_[virtualKey];
  held_[virtualKey] = HeldKey{};
  // An up without a down (or a second up) releases the key's usual keycode,
  // which is harmless when it is not held.
  if (key.keycode == 0) key.keycode = KeycodeForVirtualKey(virtualKey);
  if (key.keycode == 0) return;
  XTestFakeKeyEvent(display_, key.keycode, False, CurrentTime);
  XSync(display_, False);
  if (key.temporary) borrowed_.push_back(key.keycode);
}

void X11Keyboard::UnbindBorrowedKeycodes() {
  for (unsigned keycode : borrowed_) {
    bool held = false;
    for (const auto& key : held_) held = held || key.keycode == keycode;
    if (!held) Unbind(keycode);
  }
  borrowed_.clear();
}

}  // namespace tavorin
