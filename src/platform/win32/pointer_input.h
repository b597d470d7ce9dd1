#pragma once

#include <cstdint>

#include "platform/win32/system_access.h"

namespace tavorin {

// The absolute input value (0..65535) that lands on `pixel` of an axis that
// starts at `origin` and spans `size` pixels. The system maps a value v to
// origin + floor(v * size / 65536), so the value is rounded up. Pixels off the
// axis are taken to its nearest end, as SetCursorPos does.
std::int32_t AbsoluteAxisValue(std::int64_t pixel, std::int32_t origin, std::int32_t size);

// Moves the pointer to screen pixel (x, y) of the virtual desktop with a real
// input event. Where the event did not land exactly (a point between
// monitors, say) the pointer is put there directly. False when the system
// refused the event.
bool MovePointer(SystemAccess& system, std::int32_t x, std::int32_t y);

// Button events (MouseFlag values, the same bits as MOUSEEVENTF_*) at the
// pointer, one event per flag in ascending bit order, so a down always
// precedes its up. Other bits are ignored. False when the system took fewer
// events than were sent.
bool PressButtons(SystemAccess& system, std::uint32_t flags);

}  // namespace tavorin
