#pragma once

// Helpers for Qt tests of the main window: the window with a fresh folder
// for files, file drops as the window system delivers them, and dialogs and
// message boxes answered as a user would.
#include <QtWidgets>
#include <QtTest>
#include <functional>
#include <memory>
#include <type_traits>

#include "qt/form1.h"
#include "qt/form1_controls.h"
#include "fake_file_dialogs.h"
#include "qt/qt_file_dialogs.h"
#include "temp_folder.h"

namespace tavorin::testing {

// Drags the files over the list and drops them, and lets the list load.
// Returns whether the list accepted both the drag and the drop.
inline bool DropFiles(QAbstractItemView& list, const QStringList& paths) {
  QMimeData data;
  QList<QUrl> urls;
  for (const QString& path : paths) urls.append(QUrl::fromLocalFile(path));
  data.setUrls(urls);
  const QPoint at(10, 10);
  QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(list.viewport(), &enter);
  QDropEvent drop(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(list.viewport(), &drop);
  QCoreApplication::processEvents();  // the list loads once the drop is over
  return enter.isAccepted() && drop.isAccepted();
}

inline QStringList ItemTexts(const QListWidget& list) {
  QStringList texts;
  for (int i = 0; i < list.count(); ++i) texts << list.item(i)->text();
  return texts;
}

// The main window's action list, line by line.
inline QStringList ActionLines(const Form1& form) { return ItemTexts(*form.findChild<QListWidget*>("List3")); }

// The main window, shown and active, its file dialogs answered by a fake,
// and a fresh folder for files: Open() in a test's init(), Close() in
// cleanup().
struct FormWithFolder {
  bool Open() {
    folder = std::make_unique<TempFolder>();
    form = std::make_unique<Form1>();
    QtFileDialogs::Of(*form).Replace(&dialogs);
    form->show();
    form->activateWindow();
    return QTest::qWaitForWindowActive(form.get());
  }
  void Close() {
    form.reset();
    folder.reset();
  }
  QString Path(const char* name) const { return QString::fromStdU16String(folder->Name(name)); }

  FakeFileDialogs dialogs;
  std::unique_ptr<TempFolder> folder;
  std::unique_ptr<Form1> form;
};

// Runs `handle` on the next modal window of type T once it shows, from
// inside the loop that shows it, and closes it if `handle` left it open.
// Call it just before the step that opens the window. It watches by timer:
// a window opened deeper inside that step runs a loop of its own.
template <typename T = QDialog>
void OnNextModal(std::type_identity_t<std::function<void(T&)>> handle) {
  auto* timer = new QTimer;
  QTimer::singleShot(30000, timer, &QObject::deleteLater);  // none came
  QObject::connect(timer, &QTimer::timeout, [timer, handle = std::move(handle)] {
    auto* modal = qobject_cast<T*>(QApplication::activeModalWidget());
    if (modal == nullptr || !modal->isVisible()) return;
    timer->stop();
    timer->deleteLater();
    handle(*modal);
    if (modal->isVisible()) static_cast<QDialog*>(modal)->reject();
  });
  timer->start(20);
}

// The text of the next message box, which is then closed.
inline void NoteNextBox(QString& text) {
  OnNextModal<QMessageBox>([&text](QMessageBox& box) { text = box.text(); });
}

}  // namespace tavorin::testing
