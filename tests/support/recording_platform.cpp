#include "recording_platform.h"

#include <filesystem>
#include <utility>

namespace tavorin::testing {

std::string ToUtf8(const std::u16string& text) {
  const std::u8string bytes = std::filesystem::path(text).u8string();
  return {bytes.begin(), bytes.end()};
}

void RecordingPlatform::Sleep(std::int32_t milliseconds) {
  const std::int64_t length = milliseconds > 0 ? milliseconds : 0;
  if (watching_ && !stopped_ && stopAtMs_ >= nowMs_ && stopAtMs_ <= nowMs_ + length) {
    Note("sleep " + std::to_string(milliseconds) + " stopped after " + std::to_string(stopAtMs_ - nowMs_));
    nowMs_ = stopAtMs_;
    stopAtMs_ = -1;  // one press, one stop
    stopped_ = true;
    return;
  }
  log_.push_back("sleep " + std::to_string(milliseconds));
  nowMs_ += length;
}

DeliveryFault RecordingPlatform::CheckDelivery(DeliveryCheck when) {
  log_.push_back(when == DeliveryCheck::kBeforeInput ? "check before" : "check pass end");
  return checksBeforeFault_-- > 0 ? DeliveryFault::kNone : std::exchange(fault_, DeliveryFault::kNone);
}

std::vector<std::uint32_t> RecordingPlatform::ReadScreenArea(const ScreenRect& area) {
  log_.push_back("read " + std::to_string(area.left) + " " + std::to_string(area.top) + " " +
                 std::to_string(area.width) + " " + std::to_string(area.height));
  return screen ? screen(area, nowMs_) : std::vector<std::uint32_t>();
}

}  // namespace tavorin::testing
