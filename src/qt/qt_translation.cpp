#include "qt/qt_translation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace tavorin {

bool InstallQtTranslation(QCoreApplication& app) {
  // Dates and file types in the file dialog follow the default locale.
  const QLocale chinese(QLocale::Chinese, QLocale::China);
  QLocale::setDefault(chinese);
  auto* translator = new QTranslator(&app);
  // Debian's qt6-translations-l10n puts the files where Qt looks for them.
  if (!translator->load(chinese, QStringLiteral("qtbase"),
                        QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    delete translator;
    return false;
  }
  return QCoreApplication::installTranslator(translator);
}

}  // namespace tavorin
