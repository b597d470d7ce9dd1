#pragma once

#include <memory>

#include "core/interfaces/platform.h"

struct _XDisplay;
class QSocketNotifier;

namespace tavorin {

class X11Clipboard;
class InputReach;
class ScreenAwake;
class X11Keyboard;
class X11StopKey;

// The platform on an X11 desktop: input through XTest on a display
// connection of its own, the clipboard and message boxes through Qt. A
// QApplication must exist (on the xcb platform) before one is made.
class X11Platform : public Platform {
 public:
  // Opens the display named by DISPLAY; throws std::runtime_error when it
  // cannot be opened or lacks the XTest extension.
  X11Platform();
  ~X11Platform() override;
  X11Platform(const X11Platform&) = delete;
  X11Platform& operator=(const X11Platform&) = delete;

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
  DeliveryFault ClipboardFault(DeliveryCheck when);

  _XDisplay* display_ = nullptr;
  bool watching_ = false;
  std::unique_ptr<X11Keyboard> keyboard_;
  std::unique_ptr<X11StopKey> stopKey_;
  // Wakes a pause when the stop key's connection has something to read.
  std::unique_ptr<QSocketNotifier> stopKeyNotifier_;
  std::unique_ptr<X11Clipboard> clipboard_;
  std::unique_ptr<InputReach> reach_;
  std::unique_ptr<ScreenAwake> awake_;
};

}  // namespace tavorin
