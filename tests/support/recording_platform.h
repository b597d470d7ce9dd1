#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "core/interfaces/platform.h"

namespace tavorin::testing {

std::string ToUtf8(const std::u16string& text);

// Logs every input event, pause and message as a readable line against a
// virtual clock, so a test can compare whole sequences and timings exactly
// without sleeping. Message boxes are answered at once.
class RecordingPlatform : public Platform {
 public:
  void SetCursorPos(std::int32_t x, std::int32_t y) override {
    Note("move " + std::to_string(x) + " " + std::to_string(y));
  }
  void MouseEvent(std::uint32_t flags) override { Note("mouse " + std::to_string(flags)); }
  void KeyEvent(std::uint8_t key, bool up) override { Note("key " + std::to_string(key) + (up ? " up" : " down")); }
  void Sleep(std::int32_t milliseconds) override;
  void ClearClipboard() override { clipboard_.clear(); Note("clipboard clear"); }
  void SetClipboardText(const std::u16string& text) override { Note("clipboard " + ToUtf8(clipboard_ = text)); }
  void ShowError(const std::u16string& message) override { Note("error " + ToUtf8(message)); }
  void BeginStopWatch() override { watching_ = true; stopped_ = false; }
  void EndStopWatch() override { watching_ = false; }
  bool StopRequested() override { return stopped_; }
  // Logged as "check before" / "check pass end"; answers the fault set by
  // FailDelivery once, when its turn comes, then kNone again.
  DeliveryFault CheckDelivery(DeliveryCheck when) override;
  void KeepAwake(bool on) override { Note(on ? "awake on" : "awake off"); }
  // Logged as "read X Y W H"; answers with `screen` (empty unless set).
  std::vector<std::uint32_t> ReadScreenArea(const ScreenRect& area) override;
  std::int64_t SteadyMs() override { return nowMs_; }
  DoubleClickLimits DoubleClickSpan() override { return {}; }

  // The CheckDelivery after the next `checksBefore` ones reports `fault`.
  void FailDelivery(DeliveryFault fault, int checksBefore = 0) { fault_ = fault; checksBeforeFault_ = checksBefore; }
  // What ReadScreenArea answers, given the area and the virtual time.
  std::function<std::vector<std::uint32_t>(const ScreenRect&, std::int64_t)> screen;

  // The user presses Esc at this virtual time: a pause running then ends at
  // that moment (logged as "sleep N stopped after M"), and while no watch is
  // on the press is lost, as a real one would be.
  void PressStopAt(std::int64_t ms) { stopAtMs_ = ms; }
  bool Watching() const { return watching_; }

  // Lines such as "move 10 20", "mouse 6", "key 17 down", "sleep 50",
  // "clipboard clear", "clipboard hello", "error 参数错误".
  const std::vector<std::string>& Log() const { return log_; }
  std::vector<std::string> TakeLog() { return std::exchange(log_, {}); }
  // Adds a line of the test's own (another fake's action) to the log.
  void Note(std::string line) { log_.push_back(std::move(line)); }
  std::int64_t NowMs() const { return nowMs_; }
  const std::u16string& Clipboard() const { return clipboard_; }

 private:
  std::vector<std::string> log_;
  std::int64_t nowMs_ = 0;
  std::u16string clipboard_;
  bool watching_ = false, stopped_ = false;
  std::int64_t stopAtMs_ = -1;
  DeliveryFault fault_ = DeliveryFault::kNone;
  int checksBeforeFault_ = 0;
};

}  // namespace tavorin::testing
