#pragma once

#include <QtCore/qnamespace.h>
#include <QtGlobal>

class QKeyEvent;

namespace tavorin {

// The Windows virtual-key code of a key press, as the record editor expects
// it. Return and keypad Enter both give 13 and the keypad separator gives
// 108; letters, digits, function keys and the usual editing keys map to their
// codes; anything else gives 0.
int WindowsVirtualKey(int qtKey, Qt::KeyboardModifiers modifiers, quint32 nativeKeysym);
int WindowsVirtualKey(const QKeyEvent& event);

}  // namespace tavorin
