#include "core/actions/key_chord_capture.h"

#include <string>

#include "core/actions/action_lines.h"
#include "core/execution/number_rules.h"

namespace tavorin {
namespace {

int OwnModifierMask(int virtualKey) {
  switch (virtualKey) {
    case 16: case 160: case 161: return kShiftMask;
    case 17: case 162: case 163: return kCtrlMask;
    case 18: case 164: case 165: return kAltMask;
    default: return 0;
  }
}

}  // namespace

void KeyChordCapture::Press(int virtualKey, int modifierMask) {
  if (virtualKey == 0 || recorded_) return;
  const int mask = modifierMask | OwnModifierMask(virtualKey);
  text_ = DecimalText(virtualKey);
  if (mask != 0) text_ += u' ' + DecimalText(mask);
}

std::optional<std::u16string> KeyChordCapture::Release() {
  if (text_.empty() || recorded_) return std::nullopt;
  recorded_ = true;
  return KeyLine(text_);
}

}  // namespace tavorin
