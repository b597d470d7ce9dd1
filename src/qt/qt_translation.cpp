#include "qt/qt_translation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <cstring>

namespace tavorin {
namespace {

// The file dialog's types of folders and drives, which Qt 6 asks for under a
// context that its Chinese translation does not have yet.
class FileTypeTexts : public QTranslator {
 public:
  using QTranslator::QTranslator;
  bool isEmpty() const override { return false; }
  QString translate(const char* context, const char* source, const char*, int) const override {
    if (std::strcmp(context, "QAbstractFileIconProvider") != 0) return {};
    if (std::strcmp(source, "Folder") == 0 || std::strcmp(source, "File Folder") == 0) return QStringLiteral("文件夹");
    if (std::strcmp(source, "Drive") == 0) return QStringLiteral("驱动器");
    if (std::strcmp(source, "Unknown") == 0) return QStringLiteral("未知");
    return {};
  }
};

}  // namespace

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
  QCoreApplication::installTranslator(new FileTypeTexts(&app));
  return QCoreApplication::installTranslator(translator);
}

}  // namespace tavorin
