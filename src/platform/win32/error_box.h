#pragma once

#include <string>

namespace tavorin {

// The program's error box (caption "错误", the critical-stop icon, one OK
// button), above every window and with the focus: during a run the program's
// own window is hidden and another program's lies in front. Returns when the
// user has answered it.
void ShowErrorBoxAboveAll(const std::u16string& message);

}  // namespace tavorin
