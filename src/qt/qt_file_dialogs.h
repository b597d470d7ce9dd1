#pragma once

#include <QObject>
#include <QString>

#include "core/interfaces/file_dialogs.h"

class QWidget;

namespace tavorin {

// CD1 and CD2 as QFileDialog, owned by the main window. Each dialog
// remembers the path last chosen in it while the window lives and offers it
// the next time; a cancel keeps it.
class QtFileDialogs : public QObject, public FileDialogs {
  Q_OBJECT

 public:
  explicit QtFileDialogs(QWidget& form);

  std::optional<std::u16string> AskOpenPath() override;
  std::optional<std::u16string> AskSavePath() override;

  // Stands in another pair of dialogs (for tests); null brings these back.
  void Replace(FileDialogs* replacement) { replacement_ = replacement; }

  // The form's dialogs, created on first use; the record list and the action
  // list share them.
  static QtFileDialogs& Of(QWidget& form);

 private:
  std::optional<std::u16string> Ask(bool save, QString& lastPath);

  QWidget& form_;
  QString lastOpenPath_;
  QString lastSavePath_;
  FileDialogs* replacement_ = nullptr;
};

}  // namespace tavorin
