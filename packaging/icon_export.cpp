// Writes the program icon as PNG files in the freedesktop icon theme layout,
// <folder>/<size>x<size>/apps/tavorin.png, for installation beside the
// program. The window icon itself is drawn at run time from the same code.

#include <QGuiApplication>
#include <QDir>
#include <QIcon>
#include <QPixmap>

#include <cstdio>

#include "qt/program_icon.h"

int main(int argc, char* argv[]) {
  QGuiApplication app(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
    return 2;
  }
  const QString root = QString::fromLocal8Bit(argv[1]);
  const QIcon icon = tavorin::ProgramIcon();
  for (const int size : {16, 24, 32, 48}) {
    const QString folder = QStringLiteral("%1/%2x%2/apps").arg(root).arg(size);
    if (!QDir().mkpath(folder) ||
        !icon.pixmap(size, size).save(folder + QStringLiteral("/tavorin.png"), "PNG")) {
      std::fprintf(stderr, "cannot write the %d px icon under %s\n", size, qPrintable(root));
      return 1;
    }
  }
  return 0;
}
