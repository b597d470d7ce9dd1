#pragma once

class QWidget;

namespace tavorin {

// Keeps the window manager from offering to minimise or maximise a dialog
// that is about to be mapped. Qt asks this through the Motif hints, which
// openbox ignores for minimising: there a modal dialog minimised takes its
// main window with it and the program vanishes. Under openbox the dialog is
// therefore announced as a tool bar first, the one kind openbox never
// minimises, with its own kind after it. Other managers are left to the
// hints. Changes nothing when the window is mapped or not on X11.
void OfferNoMinimise(QWidget& dialog);

}  // namespace tavorin
