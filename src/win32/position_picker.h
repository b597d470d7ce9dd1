#pragma once

#include <windows.h>

namespace tavorin {

class ListBox;

// Form2: a frozen copy of the whole virtual desktop laid over it, borderless
// and always on top, with the crosshair pointer. A left press appends the
// click line of the pressed physical screen pixel; any press, Esc or a close
// by the system closes it and shows the main window again. The main window
// must be hidden already; the picker is modeless and deletes itself.
void OpenPositionPicker(HWND form, ListBox& actions);

}  // namespace tavorin
