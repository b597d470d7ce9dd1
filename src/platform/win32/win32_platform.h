#pragma once

#include <windows.h>

#include <bitset>
#include <optional>
#include <string>

#include "core/interfaces/platform.h"
#include "platform/win32/pumping_pause.h"
#include "platform/win32/stop_key_hook.h"
#include "platform/win32/system_access.h"

namespace tavorin {

// The platform on Windows: input through SendInput, the clipboard as Unicode
// text kept out of clipboard history (put back before a paste if another
// program took it), pauses that keep the thread's windows served, the stop
// key through a low-level keyboard hook, and message boxes above every
// window. Input and clipboard writes the system refused, a locked desktop and
// an elevated target are told by CheckDelivery. Made and used on the
// user-interface thread.
class Win32Platform : public Platform {
 public:
  // Throws std::runtime_error when the system refuses a timer, an event or
  // the hidden window that owns the clipboard.
  // `system` answers whether input reaches the desktop; tests stand in for it.
  explicit Win32Platform(SystemAccess& system = WindowsSystemAccess());
  ~Win32Platform() override;
  Win32Platform(const Win32Platform&) = delete;
  Win32Platform& operator=(const Win32Platform&) = delete;

  void SetCursorPos(std::int32_t x, std::int32_t y) override;
  void MouseEvent(std::uint32_t flags) override;
  void KeyEvent(std::uint8_t virtualKey, bool keyUp) override;
  void Sleep(std::int32_t milliseconds) override;
  void ClearClipboard() override;
  void SetClipboardText(const std::u16string& text) override;
  void ShowError(const std::u16string& message) override;
  void BeginStopWatch() override;
  void EndStopWatch() override;
  bool StopRequested() override;
  DeliveryFault CheckDelivery(DeliveryCheck when) override;
  void KeepAwake(bool on) override;
  std::vector<std::uint32_t> ReadScreenArea(const ScreenRect& area) override;
  std::int64_t SteadyMs() override;
  DoubleClickLimits DoubleClickSpan() override;

 private:
  // Puts ownText_ on the clipboard and notes the clipboard's state after it;
  // false when the clipboard stayed locked.
  bool PlaceOwnText();
  // Keeps the first fault until CheckDelivery reports it.
  void Note(DeliveryFault fault);

  SystemAccess& system_;
  DeliveryFault noted_ = DeliveryFault::kNone;
  bool awake_ = false;
  HWND clipboardOwner_ = nullptr;
  // The text of the last set, until the next clear, and the clipboard's
  // sequence number right after it was placed (none when placing failed).
  std::optional<std::u16string> ownText_;
  std::optional<DWORD> placedSequence_;
  std::bitset<256> held_;  // keys this platform holds down
  PumpingPause pause_;
  StopKeyHook stopKey_;
  bool watching_ = false;
};

}  // namespace tavorin
