#pragma once

#include <windows.h>

#include <bitset>
#include <optional>
#include <string>

#include "core/interfaces/platform.h"
#include "platform/win32/pumping_pause.h"
#include "platform/win32/stop_key_hook.h"

namespace tavorin {

// The platform on Windows: input through SendInput, the clipboard as Unicode
// text (put back before a paste if another program took it), pauses that
// keep the thread's windows served, the stop key through a low-level keyboard
// hook, and message boxes above every window. Made and used on the
// user-interface thread.
class Win32Platform : public Platform {
 public:
  // Throws std::runtime_error when the system refuses a timer, an event or
  // the hidden window that owns the clipboard.
  Win32Platform();
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

 private:
  // Puts ownText_ on the clipboard and notes the clipboard's state after it.
  void PlaceOwnText();

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
