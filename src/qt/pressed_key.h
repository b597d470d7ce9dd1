#pragma once

#include <QtCore/qnamespace.h>

class QKeyEvent;

namespace tavorin {

// The Windows virtual-key code of a key event, 0 for a key without one. The
// event's native key is mapped by the platform layer, so the code replays as
// the key that was pressed; events without a native key (those made up by Qt
// or by tests) are mapped from Qt's key.
int PressedVirtualKey(const QKeyEvent& event);

// Shift 1, Ctrl 2, Alt 4, summed.
int ModifierMask(Qt::KeyboardModifiers modifiers);

}  // namespace tavorin
