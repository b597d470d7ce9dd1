#pragma once

class QApplication;

namespace tavorin {

// Every dialog of the program, Qt's file dialogs and message boxes included,
// offers neither minimise nor maximise: a modal dialog minimised would take
// the main window with it. Installed once on the application.
void InstallDialogFrames(QApplication& app);

}  // namespace tavorin
