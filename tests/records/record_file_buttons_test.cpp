// The record page's buttons and file drops on the real main window, with
// the file dialogs answered by a test double.
#include <QListWidget>
#include <QPlainTextEdit>
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
using tavorin::testing::DropFiles;
using tavorin::testing::FakeFileDialogs;
using tavorin::testing::MessageBoxCloser;
using namespace Qt::StringLiterals;

class RecordFileButtonsTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    dialogs_ = std::make_unique<FakeFileDialogs>();
    folder_ = std::make_unique<tavorin::testing::TempFolder>();
    form_ = std::make_unique<Form1>();
    tavorin::QtFileDialogs::Of(*form_).Replace(dialogs_.get());
    records_ = form_->findChild<QListWidget*>("List1");
    editor_ = form_->findChild<QPlainTextEdit*>("Text6");
    form_->show();
    QVERIFY(QTest::qWaitForWindowExposed(form_.get()));
    folder_->Write("records.txt", "one\r\n\r\n  two  \r\n");
  }
  void cleanup() {
    form_.reset();
    folder_.reset();
  }

  void importReplacesTheListWithCheckedRecords() {
    AddRecords({u"old"_s});
    dialogs_->openAnswers = {folder_->Name("records.txt")};
    Click("Command5");
    QCOMPARE(Texts(), QStringList({u"one"_s, u"  two  "_s}));
    QCOMPARE(records_->item(0)->checkState(), Qt::Checked);
    QCOMPARE(records_->item(1)->checkState(), Qt::Checked);
    QCOMPARE(form_->controls().list1.ListIndex(), -1);
  }

  void failedImportShowsErrorAndKeepsTheList() {
    AddRecords({u"a"_s, u"b"_s});
    Click("Command5");  // cancelled
    QCOMPARE(Texts(), QStringList({u"a"_s, u"b"_s}));
    const QString missing = QString::fromStdU16String(folder_->Name("gone.txt"));
    dialogs_->openAnswers = {missing.toStdU16String()};
    MessageBoxCloser closer;
    Click("Command5");
    QCOMPARE(Texts(), QStringList({u"a"_s, u"b"_s}));
    QCOMPARE(closer.boxes.size(), 1u);
    QCOMPARE(closer.boxes[0].title, u"错误"_s);
    QCOMPARE(closer.boxes[0].icon, QMessageBox::Critical);
    QVERIFY(closer.boxes[0].text.contains(missing));
  }

  void exportWritesEveryRecord() {
    Click("Command13");
    QCOMPARE(dialogs_->saveCount, 0);
    AddRecords({u"a"_s, u"b"_s});
    records_->item(0)->setCheckState(Qt::Unchecked);
    dialogs_->saveAnswers = {folder_->Name("out.txt")};
    Click("Command13");
    QCOMPARE(folder_->Read("out.txt"), std::string("a\r\nb\r\n"));
  }

  void selectAllAndNoneEmptyTheEditor() {
    AddRecords({u"a"_s, u"b"_s});
    ClickRow(1);
    QCOMPARE(editor_->toPlainText(), u"b"_s);
    Click("Command11");
    QCOMPARE(form_->controls().list1.SelCount(), 2);
    QCOMPARE(form_->controls().list1.ListIndex(), -1);
    QVERIFY(editor_->toPlainText().isEmpty());
    QCOMPARE(Texts(), QStringList({u"a"_s, u"b"_s}));
    ClickRow(0);
    Click("Command12");
    QCOMPARE(form_->controls().list1.SelCount(), 0);
    QVERIFY(editor_->toPlainText().isEmpty());
  }

  void addAndDeleteThroughTheEditor() {
    AddRecords({u"a"_s});
    QTest::qWait(150);  // the status tick enables the editor
    Click("Command14");
    QCOMPARE(Texts(), QStringList({u"a"_s, u"(请输入内容)"_s}));
    QCOMPARE(records_->item(1)->checkState(), Qt::Checked);
    QVERIFY(editor_->hasFocus());
    QCOMPARE(editor_->textCursor().selectedText(), u"(请输入内容)"_s);
    QTest::keyClicks(editor_, "new");
    QCOMPARE(Texts(), QStringList({u"a"_s, u"new"_s}));

    ClickRow(0);
    Click("Command15");
    QCOMPARE(Texts(), QStringList({u"new"_s}));
    QVERIFY(editor_->toPlainText().isEmpty());
    Click("Command15");  // no current record: nothing
    QCOMPARE(records_->count(), 1);
  }

  void dropLoadsOnlyAFirstTxtFile() {
    AddRecords({u"a"_s});
    const QString records = QString::fromStdU16String(folder_->Name("records.txt"));
    QVERIFY(DropFiles(*records_, {u"/tmp/x.doc"_s, records}));
    QCOMPARE(Texts(), QStringList({u"a"_s}));
    QVERIFY(DropFiles(*records_, {records, u"/tmp/x.doc"_s}));
    QCOMPARE(Texts(), QStringList({u"one"_s, u"  two  "_s}));
    QCOMPARE(records_->item(0)->checkState(), Qt::Checked);

    MessageBoxCloser closer;  // a folder named .txt cannot be read
    std::filesystem::create_directory(folder_->Path("dir.txt"));
    QVERIFY(DropFiles(*records_, {QString::fromStdU16String(folder_->Name("dir.txt"))}));
    QCOMPARE(closer.boxes.size(), 1u);
    QCOMPARE(records_->count(), 2);
  }

 private:
  void Click(const char* name) { tavorin::testing::ClickButton(*form_, name); }
  void ClickRow(int row) {
    QWidget* viewport = records_->viewport();
    QTest::mouseClick(viewport, Qt::LeftButton, {}, records_->visualItemRect(records_->item(row)).center());
  }
  void AddRecords(const QStringList& texts) {
    for (const QString& text : texts) {
      form_->controls().list1.AddItem(text.toStdU16String());
      form_->controls().list1.SetSelected(records_->count() - 1, true);
    }
  }
  QStringList Texts() const { return tavorin::testing::ItemTexts(*records_); }

  std::unique_ptr<FakeFileDialogs> dialogs_;
  std::unique_ptr<tavorin::testing::TempFolder> folder_;
  std::unique_ptr<Form1> form_;
  QListWidget* records_ = nullptr;
  QPlainTextEdit* editor_ = nullptr;
};

QTEST_MAIN(RecordFileButtonsTest)
#include "record_file_buttons_test.moc"
