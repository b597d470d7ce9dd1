// The action list's upkeep buttons, double-click and file drops on the real
// main window, and the shared file dialogs CD1 and CD2 themselves.
#include <QFileDialog>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <memory>

#include "actions/qt_file_dialogs.h"
#include "fake_file_dialogs.h"
#include "qt_list_file_helpers.h"
#include "temp_folder.h"
#include "ui/form1.h"
#include "ui/form1_controls.h"

using tavorin::Form1;
using tavorin::QtFileDialogs;
using tavorin::testing::DropFiles;
using tavorin::testing::FakeFileDialogs;
using tavorin::testing::MessageBoxCloser;
using namespace Qt::StringLiterals;

class ActionListButtonsTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    dialogs_ = std::make_unique<FakeFileDialogs>();
    folder_ = std::make_unique<tavorin::testing::TempFolder>();
    form_ = std::make_unique<Form1>();
    actions_ = form_->findChild<QListWidget*>("List3");
    form_->tabStrip().setCurrentIndex(2);
    form_->show();
    QVERIFY(QTest::qWaitForWindowExposed(form_.get()));
    folder_->Write("actions.txt", "点击位置 100 200\r\n\r\n   \r\n  等候时长 2  \r\n");
  }
  void cleanup() {
    form_.reset();
    folder_.reset();
    seen_.clear();
  }

  void importExportAndClear() {
    QtFileDialogs::Of(*form_).Replace(dialogs_.get());
    AddActions({u"复制内容"_s});
    Click("Command8");  // cancelled: the list stays
    QCOMPARE(Texts(), QStringList({u"复制内容"_s}));
    dialogs_->openAnswers = {folder_->Name("actions.txt")};
    Click("Command8");
    QCOMPARE(Texts(), QStringList({u"点击位置 100 200"_s, u"  等候时长 2  "_s}));

    dialogs_->saveAnswers = {folder_->Name("out.txt")};
    Click("Command9");
    QCOMPARE(folder_->Read("out.txt"),
             std::string("\xB5\xE3\xBB\xF7\xCE\xBB\xD6\xC3 100 200\r\n"
                         "  \xB5\xC8\xBA\xF2\xCA\xB1\xB3\xA4 2  \r\n"));

    Click("Command10");
    QCOMPARE(actions_->count(), 0);
    Click("Command9");  // nothing to save: no dialog
    QCOMPARE(dialogs_->saveCount, 1);
  }

  void failedExportShowsErrorAndKeepsTheOldFile() {
    QtFileDialogs::Of(*form_).Replace(dialogs_.get());
    AddActions({u"复制内容"_s});
    // A folder where the file should be cannot be replaced, even by root.
    std::filesystem::create_directory(folder_->Path("taken.txt"));
    folder_->Write("taken.txt/inside", "old");
    dialogs_->saveAnswers = {folder_->Name("taken.txt")};
    MessageBoxCloser closer;
    Click("Command9");
    QCOMPARE(closer.boxes.size(), 1u);
    QCOMPARE(closer.boxes[0].title, u"错误"_s);
    QVERIFY(closer.boxes[0].text.contains(QString::fromStdU16String(folder_->Name("taken.txt"))));
    QCOMPARE(folder_->Read("taken.txt/inside"), std::string("old"));
    QCOMPARE(folder_->FileCount(), 2);
  }

  void doubleClickDeletesTheRowUnderThePointer() {
    AddActions({u"a"_s, u"b"_s, u"c"_s});
    const QPoint row1 = actions_->visualItemRect(actions_->item(1)).center();
    DoubleClick(*actions_->viewport(), row1);
    QCOMPARE(Texts(), QStringList({u"a"_s, u"c"_s}));
    QCOMPARE(form_->controls().list3.ListIndex(), -1);
  }

  void dropLoadsOnlyAFirstTxtFile() {
    AddActions({u"a"_s});
    const QString file = QString::fromStdU16String(folder_->Name("actions.txt"));
    QVERIFY(DropFiles(*actions_, {file + ".bak", file}));
    QCOMPARE(Texts(), QStringList({u"a"_s}));
    folder_->Write("upper.TXT", "x");
    QVERIFY(DropFiles(*actions_, {QString::fromStdU16String(folder_->Name("upper.TXT")), file}));
    QCOMPARE(Texts(), QStringList({u"x"_s}));
  }

  void dialogsHaveTheirTitlesAndFilter() {
    QtFileDialogs& dialogs = QtFileDialogs::Of(*form_);
    Answer(QString());
    QVERIFY(!dialogs.AskOpenPath().has_value());
    Answer(QString());
    QVERIFY(!dialogs.AskSavePath().has_value());
    QCOMPARE(seen_.size(), 2);
    QCOMPARE(seen_[0].title, u"导入"_s);
    QCOMPARE(seen_[0].filters, QStringList({u"文本文件(*.txt)"_s}));
    QCOMPARE(seen_[0].mode, QFileDialog::AcceptOpen);
    QCOMPARE(seen_[1].title, u"导出"_s);
    QCOMPARE(seen_[1].filters, QStringList({u"文本文件(*.txt)"_s}));
    QCOMPARE(seen_[1].mode, QFileDialog::AcceptSave);
  }

  // Each dialog offers the path last chosen in it, also after a cancel, and
  // the two dialogs remember separately.
  void eachDialogRemembersItsLastPath() {
    QtFileDialogs& dialogs = QtFileDialogs::Of(*form_);
    const QString opened = QString::fromStdU16String(folder_->Name("actions.txt"));
    const QString saved = QString::fromStdU16String(folder_->Name("saved.txt"));
    Answer(opened);
    QCOMPARE(dialogs.AskOpenPath(), std::optional(opened.toStdU16String()));
    Answer(QString());
    QVERIFY(!dialogs.AskOpenPath().has_value());
    Answer(QString());
    dialogs.AskOpenPath();
    Answer(saved);
    QCOMPARE(dialogs.AskSavePath(), std::optional(saved.toStdU16String()));
    Answer(QString());
    dialogs.AskSavePath();
    QStringList offered;
    for (const Seen& dialog : seen_) offered << dialog.offered;
    QCOMPARE(offered, QStringList({QString(), opened, opened, QString(), saved}));
  }

 private:
  struct Seen {
    QString title;
    QStringList filters;
    QFileDialog::AcceptMode mode;
    QString offered;  // the file the dialog proposed when it opened
  };

  // Answers the next file dialog: chooses `path`, or cancels when it is
  // empty, and notes what the dialog looked like.
  void Answer(const QString& path) {
    QTimer::singleShot(0, this, [this, path] {
      auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
      if (dialog == nullptr) return;
      const QStringList files = dialog->selectedFiles();
      const bool offersFile = !files.isEmpty() && !QFileInfo(files.first()).isDir();
      seen_.push_back({dialog->windowTitle(), dialog->nameFilters(), dialog->acceptMode(),
                       offersFile ? files.first() : QString()});
      if (path.isEmpty()) {
        dialog->reject();
      } else {
        dialog->selectFile(path);
        static_cast<QDialog*>(dialog)->accept();
      }
    });
  }
  // What Qt 6 delivers for a double-click: the second press comes both as a
  // press and as a double-click.
  static void DoubleClick(QWidget& widget, QPoint at) {
    QTest::mousePress(&widget, Qt::LeftButton, {}, at);
    QTest::mouseRelease(&widget, Qt::LeftButton, {}, at);
    QTest::mousePress(&widget, Qt::LeftButton, {}, at);
    const QPointF global = widget.mapToGlobal(QPointF(at));
    QMouseEvent twice(QEvent::MouseButtonDblClick, QPointF(at), global, Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&widget, &twice);
    QTest::mouseRelease(&widget, Qt::LeftButton, {}, at);
  }
  void Click(const char* name) { tavorin::testing::ClickButton(*form_, name); }
  void AddActions(const QStringList& texts) {
    for (const QString& text : texts) form_->controls().list3.AddItem(text.toStdU16String());
  }
  QStringList Texts() const { return tavorin::testing::ItemTexts(*actions_); }

  std::unique_ptr<FakeFileDialogs> dialogs_;
  std::unique_ptr<tavorin::testing::TempFolder> folder_;
  std::unique_ptr<Form1> form_;
  QListWidget* actions_ = nullptr;
  QList<Seen> seen_;
};

QTEST_MAIN(ActionListButtonsTest)
#include "action_list_buttons_test.moc"
