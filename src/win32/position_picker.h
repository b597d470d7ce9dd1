#pragma once

#include <windows.h>

#include <functional>

namespace tavorin {

class ListBox;

// Form2: copies the whole virtual desktop at once and lays the frozen copy
// over it, borderless and always on top, with the crosshair pointer and a
// hint. A left click appends the click line of the pressed physical screen
// pixel, a left-button drag a screen wait for the dragged rectangle as the
// copy shows it; any other press, Esc or a close by the system closes it,
// as a click or drag does, and then calls `closed`, which brings the main
// window back. The main window (its owner) must be hidden already; the
// picker is modeless and deletes itself.
void OpenPositionPicker(HWND owner, ListBox& actions, std::function<void()> closed);

}  // namespace tavorin
