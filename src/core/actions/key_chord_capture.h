#pragma once

#include <optional>
#include <string>

namespace tavorin {

// Modifier mask of a key chord, as the key line writes it.
inline constexpr int kShiftMask = 1;
inline constexpr int kCtrlMask = 2;
inline constexpr int kAltMask = 4;

// The key dialog's rules: every press shows its chord, the first release
// records the chord shown last.
class KeyChordCapture {
 public:
  // A key press with the Windows virtual-key code and the modifiers held.
  // A modifier key counts as held while it is pressed, whether or not the
  // window system reported it so. A key without a code (0) changes nothing.
  void Press(int virtualKey, int modifierMask);

  // The chord text shown: the code, and the mask after one blank unless it
  // is 0. Empty before the first press.
  const std::u16string& Text() const { return text_; }

  // The line a key release records, or nothing while no key has been
  // pressed: such a release belongs to a key pressed before the dialog
  // opened, and an empty chord would be a useless line. Only the first
  // release records: the releases of the other keys of the chord may arrive
  // before the dialog has gone, and change nothing.
  std::optional<std::u16string> Release();

 private:
  std::u16string text_;
  bool recorded_ = false;
};

}  // namespace tavorin
