#include <QApplication>

#include "qt/dialog_frames.h"
#include "qt/form1.h"
#include "qt/qt_translation.h"
#include "qt/ui_fonts.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  // Lets the desktop match the window to the installed entry and its icon.
  QGuiApplication::setDesktopFileName(QStringLiteral("tavorin"));
  tavorin::InstallQtTranslation(app);
  tavorin::InstallDialogFrames(app);
  tavorin::InstallUiFontSubstitutes();
  QApplication::setFont(tavorin::UiFont());

  tavorin::Form1 form;
  form.show();
  return QApplication::exec();
}
