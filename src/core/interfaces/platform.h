#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/interfaces/screens.h"

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

// Why input or a text did not reach the window a run fills. Each ends the
// run before anything more is sent; the pass it happened in does not count.
enum class DeliveryFault {
  kNone,
  // A screen locker or another program holds the keyboard or the pointer,
  // the desktop is not the user's, or the system refused the input.
  kInputBlocked,
  // The window in front runs with higher rights than this program (on
  // Windows: as administrator), so the system drops input sent to it.
  kTargetElevated,
  // The window under the pointer is one this program's input cannot reach
  // on this desktop (a native Wayland window seen from XWayland).
  kTargetUnreachable,
  // The clipboard could not be written, or the target pasted another
  // program's text instead of the run's.
  kClipboardLost,
};

// When CheckDelivery is asked.
enum class DeliveryCheck {
  // Before each key or button press of a run: cheap, waits for nothing.
  kBeforeInput,
  // When a pass's lines are done, before it counts: may wait, serving
  // events, until a pending paste is known to have arrived or not.
  kPassEnd,
};

// When the window under the pointer takes a second press of a button for a
// double-click: within `milliseconds` of the first press and within a
// rectangle of `width` × `height` pixels centred on it.
struct DoubleClickLimits {
  std::int32_t milliseconds = 500;
  std::int32_t width = 4;
  std::int32_t height = 4;
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

  // Whether input can reach the target now and everything sent since the
  // last check arrived. A fault is reported once; the run then stops.
  virtual DeliveryFault CheckDelivery(DeliveryCheck when) = 0;

  // While on, the screen saver, screen blanking and idle sleep do not start;
  // off restores what the system did before. Failing quietly is allowed: a
  // run that cannot keep the screen awake still runs.
  virtual void KeepAwake(bool on) = 0;

  // The pixels of `area` (screen pixels, as click lines give them) as
  // 0xRRGGBB, row by row from the top left; empty when the screen cannot be
  // read there.
  virtual std::vector<std::uint32_t> ReadScreenArea(const ScreenRect& area) = 0;

  // Milliseconds from a fixed moment, never going back: what times a run's
  // inputs against each other.
  virtual std::int64_t SteadyMs() = 0;
  // The system's double-click time and distance, as targets apply them.
  virtual DoubleClickLimits DoubleClickSpan() = 0;
};

}  // namespace tavorin
