#include "core/run/stoppable_platform.h"

namespace tavorin {
namespace {

struct ButtonPair {
  std::uint32_t down;
  std::uint32_t up;
};
constexpr ButtonPair kButtonPairs[] = {
    {kLeftDown, kLeftUp}, {kRightDown, kRightUp}, {kMiddleDown, kMiddleUp}};

}  // namespace

bool StoppablePlatform::StopRequested() {
  if (!halted_ && inner_.StopRequested()) {
    ReleaseHeld();
    halted_ = true;
  }
  return halted_;
}

void StoppablePlatform::Halt(const std::u16string& reason) {
  if (!haltReason_) haltReason_ = reason;
  if (halted_) return;
  ReleaseHeld();
  halted_ = true;
}

void StoppablePlatform::ReleaseHeld() {
  for (const auto& pair : kButtonPairs) {
    if (heldButtons_ & pair.down) inner_.MouseEvent(pair.up);
  }
  heldButtons_ = 0;
  for (auto it = heldKeys_.rbegin(); it != heldKeys_.rend(); ++it) inner_.KeyEvent(*it, true);
  heldKeys_.clear();
}

bool StoppablePlatform::Drop() {
  if (!StopRequested()) return false;
  ++droppedEffects_;
  return true;
}

void StoppablePlatform::SetCursorPos(std::int32_t x, std::int32_t y) {
  if (Drop()) return;
  inner_.SetCursorPos(x, y);
  clicks_.Moved(x, y);
}

// Each press asks first whether it can arrive, once the pointer is where it
// will land: what lies under the pointer may decide it.
void StoppablePlatform::MouseEvent(std::uint32_t flags) {
  if (flags & (kLeftDown | kRightDown | kMiddleDown)) {
    // Asked again after each pause: a pause that ended early must not let
    // the press join the last one.
    for (std::int32_t pause; (pause = clicks_.PauseBefore(flags, inner_.SteadyMs(), inner_.DoubleClickSpan())) > 0 &&
                             !StopRequested();) {
      Sleep(pause);
    }
    CheckDelivery(DeliveryCheck::kBeforeInput);
  }
  if (Drop()) return;
  inner_.MouseEvent(flags);
  // Timed once it has reached the system, as the target's stamp is.
  clicks_.Pressed(flags, inner_.SteadyMs());
  // Flags act in ascending bit order, so a down and its up in one event
  // leave the button released.
  for (const auto& pair : kButtonPairs) {
    if (flags & pair.down) heldButtons_ |= pair.down;
    if (flags & pair.up) heldButtons_ &= ~pair.down;
  }
}

void StoppablePlatform::KeyEvent(std::uint8_t virtualKey, bool keyUp) {
  if (!keyUp) CheckDelivery(DeliveryCheck::kBeforeInput);
  if (Drop()) return;
  inner_.KeyEvent(virtualKey, keyUp);
  if (!keyUp) clicks_.OtherStep();
  if (keyUp) {
    heldKeys_.erase(virtualKey);
  } else {
    heldKeys_.insert(virtualKey);
  }
}

void StoppablePlatform::Sleep(std::int32_t milliseconds) {
  if (!StopRequested()) inner_.Sleep(milliseconds);
}

void StoppablePlatform::ClearClipboard() {
  if (Drop()) return;
  inner_.ClearClipboard();
  clicks_.OtherStep();
}

void StoppablePlatform::SetClipboardText(const std::u16string& text) {
  if (Drop()) return;
  inner_.SetClipboardText(text);
  clicks_.OtherStep();
}

void StoppablePlatform::ShowError(const std::u16string& message) {
  if (!StopRequested()) inner_.ShowError(message);
}

void StoppablePlatform::BeginStopWatch() {
  clicks_.OtherStep();  // a new run is a new step
  halted_ = false;
  haltReason_.reset();
  inner_.BeginStopWatch();
}

void StoppablePlatform::EndStopWatch() { inner_.EndStopWatch(); }

DeliveryFault StoppablePlatform::CheckDelivery(DeliveryCheck when) {
  // After a halt for a reason nothing more was sent that could go astray;
  // after a stop nothing more is sent, but what was may still prove lost.
  if (haltReason_ || (when == DeliveryCheck::kBeforeInput && StopRequested())) return DeliveryFault::kNone;
  const DeliveryFault fault = inner_.CheckDelivery(when);
  if (fault != DeliveryFault::kNone) Halt(faultReasons_ ? faultReasons_(fault) : std::u16string());
  return fault;
}

void StoppablePlatform::KeepAwake(bool on) { inner_.KeepAwake(on); }

std::vector<std::uint32_t> StoppablePlatform::ReadScreenArea(const ScreenRect& area) {
  clicks_.OtherStep();
  return inner_.ReadScreenArea(area);
}

}  // namespace tavorin
