// The action list's upkeep buttons and double-click on the real main window,
// and the shared file dialogs CD1 and CD2 themselves. The commands' rules,
// failed exports and the routing of drops are unit tested; the drop filter
// and the error box on the record page's test; here: the wiring and the widgets.
#include <QFileDialog>
#include <QListWidget>
#include <QTest>

#include "qt_list_file_helpers.h"

using tavorin::QtFileDialogs;
using namespace Qt::StringLiterals;

class ActionListButtonsTest : public QObject, tavorin::testing::FormWithFakeDialogs {
  Q_OBJECT

 private slots:
  void init() {
    QVERIFY(Open());
    actions_ = form->findChild<QListWidget*>("List3");
    form->tabStrip().setCurrentIndex(2);
    folder->Write("actions.txt", "x\r\n\r\ny\r\n");
  }
  void cleanup() {
    Close();
    seen_.clear();
  }

  void importExportAndClear() {
    AddActions({u"复制内容"_s});
    dialogs->openAnswers = {folder->Name("actions.txt")};
    Click("Command8");
    QCOMPARE(Texts(), QStringList({u"x"_s, u"y"_s}));
    dialogs->saveAnswers = {folder->Name("out.txt")};
    Click("Command9");
    QCOMPARE(folder->Read("out.txt"), std::string("x\r\ny\r\n"));
    Click("Command10");
    QCOMPARE(actions_->count(), 0);
  }

  void doubleClickDeletesTheRowUnderThePointer() {
    AddActions({u"a"_s, u"b"_s, u"c"_s});
    const QPoint row1 = actions_->visualItemRect(actions_->item(1)).center();
    DoubleClick(*actions_->viewport(), row1);
    QCOMPARE(Texts(), QStringList({u"a"_s, u"c"_s}));
    QCOMPARE(form->controls().list3.ListIndex(), -1);
  }

  // Each dialog has its title and the text filter, and offers the path last
  // chosen in it, also after a cancel; the two dialogs remember separately.
  void dialogsShowTheirDesignAndRememberTheLastPath() {
    QtFileDialogs& dialogs = QtFileDialogs::Of(*form);
    dialogs.Replace(nullptr);
    const QString opened = Path("actions.txt");
    const QString saved = Path("saved.txt");
    Answer(opened);
    QCOMPARE(dialogs.AskOpenPath(), std::optional(opened.toStdU16String()));
    Answer(QString());
    QVERIFY(!dialogs.AskOpenPath().has_value());
    Answer(QString());
    dialogs.AskOpenPath();
    Answer(saved);
    QCOMPARE(dialogs.AskSavePath(), std::optional(saved.toStdU16String()));
    Answer(QString());
    QVERIFY(!dialogs.AskSavePath().has_value());
    QStringList offered;
    for (const Seen& dialog : seen_) {
      const bool save = offered.size() >= 3;
      QCOMPARE(dialog.title, save ? u"导出"_s : u"导入"_s);
      QCOMPARE(dialog.mode, save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
      QCOMPARE(dialog.filters, QStringList({u"文本文件(*.txt)"_s}));
      offered << dialog.offered;
    }
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
  void AddActions(const QStringList& texts) {
    for (const QString& text : texts) form->controls().list3.AddItem(text.toStdU16String());
  }
  QStringList Texts() const { return tavorin::testing::ItemTexts(*actions_); }

  QListWidget* actions_ = nullptr;
  QList<Seen> seen_;
};

QTEST_MAIN(ActionListButtonsTest)
#include "action_list_buttons_test.moc"
