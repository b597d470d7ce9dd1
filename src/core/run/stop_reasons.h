#pragma once

#include <cstdint>
#include <string>

#include "core/interfaces/platform.h"

namespace tavorin {

// Why a run stopped on its own, as the box after it says it, right before
// "执行已停止：已完成 A 次，共 B 次。". `passNumber` and `record` (the
// expanded text of the record taken last) name what a lost paste was to
// enter; `unreachableTarget` is the desktop's own advice for a window input
// cannot reach, empty for a general one. Empty for kNone.
std::u16string StopReason(DeliveryFault fault, std::int32_t passNumber, const std::u16string& record,
                          const std::u16string& unreachableTarget);

}  // namespace tavorin
