#include "qt/qt_file_dialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QWidget>

namespace tavorin {
namespace {

QString Text(std::u16string_view text) {
  return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

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
  QFileDialog dialog(&form_, Text(save ? kSaveDialogTitle : kOpenDialogTitle));
  dialog.setObjectName(Text(save ? kSaveDialogName : kOpenDialogName));
  dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  // "文本文件(*.txt)" shows its pattern already; Qt takes it from there.
  dialog.setNameFilter(Text(kTextFileFilterName));
  // No default suffix: a name typed without an extension is used as typed.
  if (!lastPath.isEmpty()) dialog.selectFile(lastPath);
  // Typing a path selects each folder along it in the dialog's list, and the
  // dialog takes a folder out again only while the application counts the
  // name field as focused. Typing that reaches the dialog before it counts
  // as the active window (focus handed over late on a busy desktop) leaves
  // folders selected, and Enter then opens the first of them and empties the
  // field. Typing shows which window is in use, so it makes it the active one.
  if (auto* name = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))) {
    connect(name, &QLineEdit::textEdited, &dialog, [&dialog, name] {
      if (!name->hasFocus()) QApplication::setActiveWindow(&dialog);
    });
  }
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  lastPath = dialog.selectedFiles().constFirst();
  return lastPath.toStdU16String();
}

}  // namespace tavorin
