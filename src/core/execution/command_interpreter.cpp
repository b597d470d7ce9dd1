#include "core/execution/command_interpreter.h"

#include <cstdint>
#include <optional>

#include "core/execution/input_simulation.h"
#include "core/execution/number_rules.h"

namespace tavorin {
namespace {

const std::u16string kUnknownCommand = u"未知指令。";
// Two distinct texts: the pointer command's carries a full stop, the key and
// paste commands' does not.
const std::u16string kBadPointerArgument = u"参数错误。";
const std::u16string kBadArgument = u"参数错误";

constexpr std::int32_t kMinimumPause = 50;
constexpr std::int32_t kClipboardSettle = 10;
constexpr std::uint8_t kKeyV = 86;
constexpr std::int32_t kControl = 2;

std::optional<std::int32_t> ReadInt32(std::u16string_view text) {
  return RoundToInt32(ParseLeadingNumber(text));
}

void MovePointer(Platform& platform, const std::u16string& command) {
  if (command.size() < 2 || command[1] != u' ') {
    platform.ShowError(kUnknownCommand);
    return;
  }
  const std::u16string_view argument = std::u16string_view(command).substr(2);
  const std::size_t blank = argument.find(u' ');
  if (blank == std::u16string_view::npos) {
    platform.ShowError(kBadPointerArgument);
    return;
  }
  // A position past the screen's edge means the edge, however large: the
  // platform clamps to its screen, so here only the 32-bit range is kept.
  platform.SetCursorPos(RoundClampedToInt32(ParseLeadingNumber(argument.substr(0, blank))),
                        RoundClampedToInt32(ParseLeadingNumber(argument.substr(blank + 1))));
}

void Pause(Platform& platform, const std::u16string& command) {
  const std::size_t n = command.size();
  if (n == 1 || (n == 2 && command[1] == u' ')) {
    platform.Sleep(kMinimumPause);
  } else if (n > 2 && command[1] == u' ') {
    const auto length = ReadInt32(std::u16string_view(command).substr(2));
    if (!length) {
      platform.ShowError(kBadArgument);
      return;
    }
    platform.Sleep(*length > kMinimumPause ? *length : kMinimumPause);
  } else if (n > 2) {
    platform.ShowError(kUnknownCommand);
  }
  // Two characters with no blank: nothing at all.
}

void KeyChord(Platform& platform, const std::u16string& command) {
  if (command.size() <= 2) {
    platform.ShowError(kBadArgument);
    return;
  }
  const std::u16string_view argument = std::u16string_view(command).substr(2);
  const std::size_t blank = argument.find(u' ');
  std::int32_t modifiers = 0;
  if (blank != std::u16string_view::npos) {
    // Only the last character carries the modifier mask.
    const std::u16string_view last = argument.substr(argument.size() - 1);
    const double mask = ParseLeadingNumber(last);
    if (last == u" " || mask < 0 || mask > 7) {
      platform.ShowError(kBadArgument);
      return;
    }
    modifiers = static_cast<std::int32_t>(mask);
  }
  const auto key = RoundToUInt8(ParseLeadingNumber(argument.substr(0, blank)));
  if (!key) {
    platform.ShowError(kBadArgument);
    return;
  }
  PressKeyChord(platform, *key, modifiers);
}

void PasteText(Platform& platform, const std::u16string& command) {
  if (command.size() <= 2) {
    platform.ShowError(kBadArgument);
    return;
  }
  if (command[1] != u' ') return;
  platform.SetClipboardText(command.substr(2));
  platform.Sleep(kClipboardSettle);
  PressKeyChord(platform, kKeyV, kControl);
}

char16_t UpperLetter(char16_t c) { return (c >= u'a' && c <= u'z') ? c - u'a' + u'A' : c; }

}  // namespace

void ExecuteCommand(Platform& platform, std::u16string command) {
  if (command.empty()) return;
  switch (UpperLetter(command[0])) {
    case u'P':
      MovePointer(platform, command);
      break;
    case u'L':
      ClickMouse(platform, 1);
      break;
    case u'R':
      ClickMouse(platform, 2);
      break;
    case u'M':
      ClickMouse(platform, 4);
      break;
    case u'D':
      ClickMouse(platform, 17);
      break;
    case u'S':
      Pause(platform, command);
      break;
    case u'K':
      KeyChord(platform, command);
      break;
    case u'T':
      PasteText(platform, command);
      break;
    default:
      // Any other first character, a leading blank included, is not a command.
      break;
  }
}

}  // namespace tavorin
