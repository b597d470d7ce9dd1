#include "qt/qt_file_dialogs.h"

#include <QFileDialog>
#include <QWidget>

namespace tavorin {

QtFileDialogs::QtFileDialogs(QWidget& form) : QObject(&form), form_(form) {
  setObjectName("CD1CD2");
}

QtFileDialogs& QtFileDialogs::Of(QWidget& form) {
  auto* dialogs = form.findChild<QtFileDialogs*>(QString(), Qt::FindDirectChildrenOnly);
  return dialogs != nullptr ? *dialogs : *new QtFileDialogs(form);
}

std::optional<std::u16string> QtFileDialogs::AskOpenPath() {
  if (replacement_ != nullptr) return replacement_->AskOpenPath();
  return Ask(false, lastOpenPath_);
}

std::optional<std::u16string> QtFileDialogs::AskSavePath() {
  if (replacement_ != nullptr) return replacement_->AskSavePath();
  return Ask(true, lastSavePath_);
}

std::optional<std::u16string> QtFileDialogs::Ask(bool save, QString& lastPath) {
  QFileDialog dialog(&form_, save ? QStringLiteral("导出") : QStringLiteral("导入"));
  dialog.setObjectName(save ? "CD2" : "CD1");
  dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  dialog.setNameFilter(QString::fromUtf8(kFilter));
  // No default suffix: a name typed without an extension is used as typed.
  if (!lastPath.isEmpty()) dialog.selectFile(lastPath);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  lastPath = dialog.selectedFiles().constFirst();
  return lastPath.toStdU16String();
}

}  // namespace tavorin
