// The record page's buttons and file drops on the real main window, with
// the file dialogs answered by a test double.
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTest>

#include "qt_list_file_helpers.h"

using tavorin::testing::DropFiles;
using tavorin::testing::MessageBoxCloser;
using namespace Qt::StringLiterals;

class RecordFileButtonsTest : public QObject, tavorin::testing::FormWithFakeDialogs {
  Q_OBJECT

 private slots:
  void init() {
    QVERIFY(Open());
    records_ = form->findChild<QListWidget*>("List1");
    editor_ = form->findChild<QPlainTextEdit*>("Text6");
    folder->Write("records.txt", "one\r\n\r\n  two  \r\n");
  }
  void cleanup() { Close(); }

  // Each button reaches its command; the commands' rules are unit tested.
  // Checked here: what only the widgets show.
  void everyButtonReachesItsCommand() {
    AddRecords({u"a"_s, u"b"_s});
    QTRY_VERIFY(editor_->isEnabled());  // the status tick enables the editor
    Click("Command14");
    QCOMPARE(records_->item(2)->checkState(), Qt::Checked);
    QVERIFY(editor_->hasFocus());
    QCOMPARE(editor_->textCursor().selectedText(), u"(请输入内容)"_s);
    QTest::keyClicks(editor_, "new");
    QCOMPARE(Texts(), QStringList({u"a"_s, u"b"_s, u"new"_s}));

    Click("Command12");
    QCOMPARE(records_->item(0)->checkState(), Qt::Unchecked);
    QVERIFY(editor_->toPlainText().isEmpty());
    ClickRow(1);
    Click("Command11");
    QCOMPARE(records_->item(2)->checkState(), Qt::Checked);
    QVERIFY(editor_->toPlainText().isEmpty());
    QCOMPARE(Texts(), QStringList({u"a"_s, u"b"_s, u"new"_s}));

    ClickRow(0);
    Click("Command15");
    QCOMPARE(Texts(), QStringList({u"b"_s, u"new"_s}));
    dialogs->saveAnswers = {folder->Name("out.txt")};
    Click("Command13");
    QCOMPARE(folder->Read("out.txt"), std::string("b\r\nnew\r\n"));
    dialogs->openAnswers = {folder->Name("records.txt")};
    Click("Command5");
    QCOMPARE(Texts(), QStringList({u"one"_s, u"  two  "_s}));
    QCOMPARE(records_->item(1)->checkState(), Qt::Checked);
  }

  void failedImportShowsAnErrorBoxAndKeepsTheList() {
    AddRecords({u"a"_s});
    const QString missing = Path("gone.txt");
    dialogs->openAnswers = {missing.toStdU16String()};
    MessageBoxCloser closer;
    Click("Command5");
    QCOMPARE(Texts(), QStringList({u"a"_s}));
    QCOMPARE(closer.boxes.size(), 1u);
    QCOMPARE(closer.boxes[0].title, u"错误"_s);
    QCOMPARE(closer.boxes[0].icon, QMessageBox::Critical);
    QVERIFY(closer.boxes[0].text.contains(missing));
  }

  void dropLoadsOnlyAFirstTxtFile() {
    AddRecords({u"a"_s});
    const QString records = Path("records.txt");
    QVERIFY(DropFiles(*records_, {u"/tmp/x.doc"_s, records}));
    QCOMPARE(Texts(), QStringList({u"a"_s}));
    QVERIFY(DropFiles(*records_, {records, u"/tmp/x.doc"_s}));
    QCOMPARE(Texts(), QStringList({u"one"_s, u"  two  "_s}));
    QCOMPARE(records_->item(0)->checkState(), Qt::Checked);
  }

 private:
  void ClickRow(int row) {
    QTest::mouseClick(records_->viewport(), Qt::LeftButton, {},
                      records_->visualItemRect(records_->item(row)).center());
  }
  void AddRecords(const QStringList& texts) {
    for (const QString& text : texts) {
      form->controls().list1.AddItem(text.toStdU16String());
      form->controls().list1.SetSelected(records_->count() - 1, true);
    }
  }
  QStringList Texts() const { return tavorin::testing::ItemTexts(*records_); }

  QListWidget* records_ = nullptr;
  QPlainTextEdit* editor_ = nullptr;
};

QTEST_MAIN(RecordFileButtonsTest)
#include "record_file_buttons_test.moc"
