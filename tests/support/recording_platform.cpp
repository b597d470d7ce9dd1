#include "recording_platform.h"

#include <filesystem>
#include <utility>

namespace tavorin::testing {

std::string ToUtf8(const std::u16string& text) {
  const std::u8string bytes = std::filesystem::path(text).u8string();
  return {bytes.begin(), bytes.end()};
}

void RecordingPlatform::SetCursorPos(std::int32_t x, std::int32_t y) {
  log_.push_back("move " + std::to_string(x) + " " + std::to_string(y));
}

void RecordingPlatform::MouseEvent(std::uint32_t flags) { log_.push_back("mouse " + std::to_string(flags)); }

void RecordingPlatform::KeyEvent(std::uint8_t virtualKey, bool keyUp) {
  log_.push_back("key " + std::to_string(virtualKey) + (keyUp ? " up" : " down"));
}

void RecordingPlatform::Sleep(std::int32_t milliseconds) {
  const std::int64_t length = milliseconds > 0 ? milliseconds : 0;
  if (watching_ && !stopped_ && stopAtMs_ >= nowMs_ && stopAtMs_ <= nowMs_ + length) {
    log_.push_back("sleep " + std::to_string(milliseconds) + " stopped after " +
                   std::to_string(stopAtMs_ - nowMs_));
    nowMs_ = stopAtMs_;
    stopAtMs_ = -1;  // one press, one stop
    stopped_ = true;
    return;
  }
  log_.push_back("sleep " + std::to_string(milliseconds));
  nowMs_ += length;
}

void RecordingPlatform::BeginStopWatch() {
  watching_ = true;
  stopped_ = false;
}

void RecordingPlatform::EndStopWatch() { watching_ = false; }

void RecordingPlatform::ClearClipboard() {
  log_.push_back("clipboard clear");
  clipboard_.clear();
}

void RecordingPlatform::SetClipboardText(const std::u16string& text) {
  log_.push_back("clipboard " + ToUtf8(text));
  clipboard_ = text;
}

void RecordingPlatform::ShowError(const std::u16string& message) { log_.push_back("error " + ToUtf8(message)); }

DeliveryFault RecordingPlatform::CheckDelivery(DeliveryCheck when) {
  log_.push_back(when == DeliveryCheck::kBeforeInput ? "check before" : "check pass end");
  if (checksBeforeFault_ > 0) {
    --checksBeforeFault_;
    return DeliveryFault::kNone;
  }
  return std::exchange(fault_, DeliveryFault::kNone);
}

void RecordingPlatform::KeepAwake(bool on) { log_.push_back(on ? "awake on" : "awake off"); }

std::vector<std::uint32_t> RecordingPlatform::ReadScreenArea(const ScreenRect& area) {
  log_.push_back("read " + std::to_string(area.left) + " " + std::to_string(area.top) + " " +
                 std::to_string(area.width) + " " + std::to_string(area.height));
  return screen ? screen(area, nowMs_) : std::vector<std::uint32_t>();
}

std::vector<std::string> RecordingPlatform::TakeLog() { return std::exchange(log_, {}); }

}  // namespace tavorin::testing
