#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <set>
#include <string>
#include <utility>

#include "core/interfaces/platform.h"
#include "core/run/click_separation.h"

namespace tavorin {

// Stands between a run and the real platform. Once the user has asked to
// stop, it releases whatever keys and buttons the run still holds and lets
// nothing more through: no input, no pause, no clipboard change, no message.
// The run's remaining steps then fall through harmlessly. A fault the
// platform reports when asked about delivery stops the run the same way.
// It also keeps the clicks of different steps from joining into a
// double-click (ClickSeparation).
class StoppablePlatform : public Platform {
 public:
  // `clicks` outlives the run, so a run's first click cannot join the last
  // run's last click either.
  StoppablePlatform(Platform& inner, ClickSeparation& clicks) : inner_(inner), clicks_(clicks) {}

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
  std::int64_t SteadyMs() override { return inner_.SteadyMs(); }
  DoubleClickLimits DoubleClickSpan() override { return inner_.DoubleClickSpan(); }

  // Ends the run as the stop key does, for `reason`: the message after the
  // run puts it before the count of passes. The first reason is kept.
  void Halt(const std::u16string& reason);
  const std::optional<std::u16string>& HaltReason() const { return haltReason_; }
  // The reason a delivery fault halts with; without one the reason is empty.
  void SetFaultReasons(std::function<std::u16string(DeliveryFault)> reasons) { faultReasons_ = std::move(reasons); }

  // Input events and clipboard changes held back since the stop: none means
  // the stop came while the run was only pausing.
  std::uint64_t DroppedEffects() const { return droppedEffects_; }

 private:
  bool Drop();  // true (and counted) once stopped
  void ReleaseHeld();

  Platform& inner_;
  bool halted_ = false;
  std::optional<std::u16string> haltReason_;
  std::function<std::u16string(DeliveryFault)> faultReasons_;
  std::set<std::uint8_t> heldKeys_;
  std::uint32_t heldButtons_ = 0;  // down flags without their up yet
  std::uint64_t droppedEffects_ = 0;
  ClickSeparation& clicks_;
};

}  // namespace tavorin
