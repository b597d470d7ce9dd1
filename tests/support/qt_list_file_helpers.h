#pragma once

// Helpers for Qt tests of the list file buttons: the main window with fake
// file dialogs, file drops as the window system delivers them, and message
// boxes answered as a user would.
#include <QAbstractItemView>
#include <QApplication>
#include <QDropEvent>
#include <QMessageBox>
#include <QListWidget>
#include <QMimeData>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <memory>

#include "qt/qt_file_dialogs.h"
#include "fake_file_dialogs.h"
#include "temp_folder.h"
#include "qt/form1.h"
#include "qt/form1_controls.h"

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

inline void ClickButton(QWidget& form, const char* name) {
  auto* button = form.findChild<QPushButton*>(name);
  if (button == nullptr) qFatal("no button %s", name);
  QTest::mouseClick(button, Qt::LeftButton);
}

inline QStringList ItemTexts(const QListWidget& list) {
  QStringList texts;
  for (int i = 0; i < list.count(); ++i) texts << list.item(i)->text();
  return texts;
}

// The main window's action list, line by line.
inline QStringList ActionLines(const Form1& form) {
  return ItemTexts(*form.findChild<QListWidget*>("List3"));
}

// The main window, shown, with its file dialogs answered by a fake, and a
// fresh folder for the files: Open() in a test's init(), Close() in cleanup().
struct FormWithFakeDialogs {
  bool Open() {
    dialogs = std::make_unique<FakeFileDialogs>();
    folder = std::make_unique<TempFolder>();
    form = std::make_unique<Form1>();
    QtFileDialogs::Of(*form).Replace(dialogs.get());
    form->show();
    return QTest::qWaitForWindowExposed(form.get());
  }
  void Close() {
    form.reset();
    folder.reset();
  }
  void Click(const char* name) { ClickButton(*form, name); }
  QString Path(const char* name) const { return QString::fromStdU16String(folder->Name(name)); }

  std::unique_ptr<FakeFileDialogs> dialogs;
  std::unique_ptr<TempFolder> folder;
  std::unique_ptr<Form1> form;
};

// Notes and closes every message box that opens while it lives.
class MessageBoxCloser {
 public:
  struct Box {
    QString title;
    QString text;
    QMessageBox::Icon icon;
  };

  MessageBoxCloser() {
    QObject::connect(&timer_, &QTimer::timeout, [this] {
      if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
        boxes.push_back({box->windowTitle(), box->text(), box->icon()});
        box->accept();
      }
    });
    timer_.start(20);
  }

  std::vector<Box> boxes;

 private:
  QTimer timer_;
};

}  // namespace tavorin::testing
