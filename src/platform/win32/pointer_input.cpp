#include "platform/win32/pointer_input.h"

#include <windows.h>

#include <algorithm>
#include <vector>

#include "core/interfaces/platform.h"
#include "platform/win32/own_input.h"

namespace tavorin {

static_assert(kLeftDown == MOUSEEVENTF_LEFTDOWN && kLeftUp == MOUSEEVENTF_LEFTUP &&
              kRightDown == MOUSEEVENTF_RIGHTDOWN && kRightUp == MOUSEEVENTF_RIGHTUP &&
              kMiddleDown == MOUSEEVENTF_MIDDLEDOWN && kMiddleUp == MOUSEEVENTF_MIDDLEUP,
              "the platform's button flags are mouse_event's");

std::int32_t AbsoluteAxisValue(std::int64_t pixel, std::int32_t origin, std::int32_t size) {
  if (size <= 0) return 0;
  const std::int64_t offset = std::clamp<std::int64_t>(pixel - origin, 0, size - 1);
  return static_cast<std::int32_t>((offset * 65536 + size - 1) / size);
}

bool MovePointer(SystemAccess& system, std::int32_t x, std::int32_t y) {
  const int left = GetSystemMetrics(SM_XVIRTUALSCREEN);
  const int top = GetSystemMetrics(SM_YVIRTUALSCREEN);
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dx = AbsoluteAxisValue(x, left, GetSystemMetrics(SM_CXVIRTUALSCREEN));
  input.mi.dy = AbsoluteAxisValue(y, top, GetSystemMetrics(SM_CYVIRTUALSCREEN));
  input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_VIRTUALDESK;
  input.mi.dwExtraInfo = kOwnInputTag;
  if (system.SendInput(1, &input) != 1) return false;
  POINT now{};
  if (GetCursorPos(&now) && (now.x != x || now.y != y)) ::SetCursorPos(x, y);
  return true;
}

bool PressButtons(SystemAccess& system, std::uint32_t flags) {
  constexpr std::uint32_t kButtonFlags[] = {kLeftDown, kLeftUp,     kRightDown,
                                            kRightUp,  kMiddleDown, kMiddleUp};
  std::vector<INPUT> inputs;
  for (const std::uint32_t flag : kButtonFlags) {
    if ((flags & flag) == 0) continue;
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flag;
    input.mi.dwExtraInfo = kOwnInputTag;
    inputs.push_back(input);
  }
  const auto count = static_cast<UINT>(inputs.size());
  return count == 0 || system.SendInput(count, inputs.data()) == count;
}

}  // namespace tavorin
