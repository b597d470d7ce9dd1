#pragma once

#include <cstdint>
#include <string>

namespace tavorin {

// Mouse button flags in the numbering of the Windows mouse_event call. One
// MouseEvent may carry a down and an up flag; they are performed in ascending
// bit order, so a down always precedes its up.
enum MouseFlag : std::uint32_t {
  kLeftDown = 0x0002,
  kLeftUp = 0x0004,
  kRightDown = 0x0008,
  kRightUp = 0x0010,
  kMiddleDown = 0x0020,
  kMiddleUp = 0x0040,
};

// Everything the command interpreter needs from the operating system. Each
// backend (X11, Win32, the tests' recorder) implements all of it; every call
// happens on the user-interface thread and returns only once its effect has
// reached the system, so a following pause really separates two events.
class Platform {
 public:
  virtual ~Platform() = default;

  // Pointer position in screen pixels.
  virtual void SetCursorPos(std::int32_t x, std::int32_t y) = 0;
  // Button events at the current pointer position; flags from MouseFlag.
  virtual void MouseEvent(std::uint32_t flags) = 0;
  // Key event by Windows virtual-key code (86 is V, 116 is F5, 17 is Ctrl).
  virtual void KeyEvent(std::uint8_t virtualKey, bool keyUp) = 0;
  // Blocks the caller; the program must keep serving the clipboard meanwhile.
  virtual void Sleep(std::int32_t milliseconds) = 0;

  virtual void ClearClipboard() = 0;
  // The platform keeps this text until the next clear or set: when it sends
  // Ctrl+V (key 86 down while Ctrl is held) and another program has taken
  // the clipboard meanwhile, it puts the text back first, so the target
  // pastes the run's text or nothing.
  virtual void SetClipboardText(const std::u16string& text) = 0;

  // Modal message box with caption "错误", the critical-stop icon and one OK
  // button; returns when the user dismisses it. It comes above every other
  // window, always-on-top ones included, with the keyboard focus; the key
  // press that dismisses it is never a stop.
  virtual void ShowError(const std::u16string& message) = 0;

  // The user's way out of a run: between BeginStopWatch and EndStopWatch a
  // user's stop key press (Esc, of any length, with any modifiers, from
  // anything but this program) is received as an event, not sampled; it ends
  // the current pause within a few milliseconds and makes StopRequested true
  // until the next BeginStopWatch. That press does not reach the window
  // under the pointer. Esc sent through KeyEvent goes to the target and is
  // never a stop.
  virtual void BeginStopWatch() = 0;
  virtual void EndStopWatch() = 0;
  virtual bool StopRequested() = 0;
};

}  // namespace tavorin
