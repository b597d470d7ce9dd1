#pragma once

namespace tavorin {

class Form1;

// Milliseconds between hiding the main window and copying the screen for the
// position picker, so that windows it uncovered have drawn themselves again.
inline constexpr int kPickerSettleMs = 150;

// The click on button `index` of "Command6": 0 and 1 append their line, 2
// opens the position picker, 3 to 5 open the key, wait or insert dialog and
// return when it has closed. Other indexes do nothing.
void AddAction(Form1& form, int index);

// Copies the screen as it is now and opens the position picker over it; the
// main window must be hidden already.
void OpenPositionPicker(Form1& form);

}  // namespace tavorin
