#include <QApplication>

#include "qt/dialog_frames.h"
#include "qt/form1.h"
#include "qt/qt_translation.h"
#include "qt/ui_fonts.h"

int main(int argc, char* argv[]) {
  // Input goes out through XTest and the clipboard through X selections, so
  // Tavorin's own windows live on X11 too (XWayland on a Wayland desktop).
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "xcb");
  QApplication app(argc, argv);
  // While the main window is hidden for a run or the picker, a box, a dialog
  // or the badge can be the last window shown; closing it must not end the
  // program and lose the unsaved lists. Only the main window's close does.
  QApplication::setQuitOnLastWindowClosed(false);
  // Lets the desktop match the window to the installed entry and its icon.
  QGuiApplication::setDesktopFileName(QStringLiteral("tavorin"));
  tavorin::InstallQtTranslation(app);
  tavorin::InstallDialogFrames(app);
  tavorin::InstallUiFontSubstitutes();
  QApplication::setFont(tavorin::UiFont());

  tavorin::Form1 form;
  QObject::connect(&form, &tavorin::Form1::closed, &app, &QApplication::quit);
  form.show();
  return QApplication::exec();
}
