#pragma once

class QWidget;

namespace tavorin {

// Creates every control of the main window's shared control table on `form`,
// each under its design name, at its place, with its caption, font and
// initial state. Only lays out: the logic is connected afterwards.
void BuildForm1Controls(QWidget& form);

}  // namespace tavorin
