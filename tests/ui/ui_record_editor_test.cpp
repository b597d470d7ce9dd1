// The record list and its editor on the real main window, driven by real
// mouse, key and text events.
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTest>
#include <memory>

#include "ui/form1.h"
#include "ui/form1_controls.h"

using tavorin::Form1;
using namespace Qt::StringLiterals;

class RecordEditorTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    form_ = std::make_unique<Form1>();
    list_ = form_->findChild<QListWidget*>("List1");
    editor_ = form_->findChild<QPlainTextEdit*>("Text6");
    status_ = form_->findChild<QLabel*>("Label9");
    form_->show();
    form_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(form_.get()));
  }

  void cleanup() { form_.reset(); }

  void clickingRowLoadsItIntoEditor() {
    AddRecords({u"alpha", u"beta", u"gamma"});
    ClickRow(1);
    QCOMPARE(editor_->toPlainText(), QStringLiteral("beta"));
    QVERIFY(editor_->hasFocus());
    QCOMPARE(editor_->textCursor().selectedText(), QStringLiteral("beta"));
  }

  void typingReplacesCurrentRecord() {
    AddRecords({u"alpha", u"beta", u"gamma"});
    ClickRow(1);
    QTest::keyClicks(editor_, "xy");
    QCOMPARE(Record(1), u"xy"_s);
    QCOMPARE(Record(0), u"alpha"_s);
    QCOMPARE(Record(2), u"gamma"_s);
  }

  void keyboardMoveInListLoadsRecord() {
    AddRecords({u"alpha", u"beta"});
    ClickRow(0);
    list_->setFocus();
    QTest::keyClick(list_, Qt::Key_Down);
    QCOMPARE(editor_->toPlainText(), QStringLiteral("beta"));
    QTest::keyClicks(editor_, "z");
    QCOMPARE(Record(1), u"z"_s);
    QCOMPARE(Record(0), u"alpha"_s);
  }

  void deletingKeyByKeyKeepsFirstCharacter() {
    AddRecords({u"alpha"});
    ClickRow(0);
    QTest::keyClick(editor_, Qt::Key_End);
    for (int i = 0; i < 5; ++i) QTest::keyClick(editor_, Qt::Key_Backspace);
    QVERIFY(editor_->toPlainText().isEmpty());
    QCOMPARE(Record(0), u"a"_s);
  }

  void selectAllAndDeleteKeepsRecord() {
    AddRecords({u"alpha"});
    ClickRow(0);
    QTest::keyClick(editor_, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(editor_, Qt::Key_Delete);
    QVERIFY(editor_->toPlainText().isEmpty());
    QCOMPARE(Record(0), u"alpha"_s);
  }

  void twoLinesJoin_data() {
    QTest::addColumn<bool>("paste");
    QTest::newRow("pasted") << true;
    QTest::newRow("inserted") << false;
  }

  void twoLinesJoin() {
    QFETCH(bool, paste);
    AddRecords({u"alpha", u"beta"});
    ClickRow(0);
    if (paste) {
      QApplication::clipboard()->setText("one\ntwo");
      QTest::keyClick(editor_, Qt::Key_V, Qt::ControlModifier);
    } else {
      editor_->insertPlainText("one\ntwo");
    }
    QCOMPARE(Record(0), u"onetwo"_s);
    QCOMPARE(editor_->toPlainText(), QStringLiteral("onetwo"));
    QCOMPARE(list_->count(), 2);
  }

  void enterInEmptyEditorAddsNothing() {
    AddRecords({u"alpha"});
    ClickRow(0);
    QTest::keyClick(editor_, Qt::Key_Delete);  // the whole text is selected
    QTest::keyClick(editor_, Qt::Key_Return);
    QCOMPARE(list_->count(), 1);
    QCOMPARE(Record(0), u"alpha"_s);
    QVERIFY(editor_->toPlainText().isEmpty());
  }

  void enterAppendsEmptyCheckedRecord_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::newRow("Return") << int(Qt::Key_Return) << int(Qt::NoModifier);
    QTest::newRow("keypad Enter") << int(Qt::Key_Enter) << int(Qt::KeypadModifier);
    QTest::newRow("Shift+Return") << int(Qt::Key_Return) << int(Qt::ShiftModifier);
  }

  void enterAppendsEmptyCheckedRecord() {
    QFETCH(int, key);
    QFETCH(int, modifiers);
    AddRecords({u"alpha", u"beta", u"gamma"});
    ClickRow(0);
    QTest::keyClick(editor_, Qt::Key_End);
    QTest::keyClick(editor_, Qt::Key(key), Qt::KeyboardModifiers(modifiers));

    auto& records = form_->controls().list1;
    QCOMPARE(records.ListCount(), 4);
    QCOMPARE(records.ListIndex(), 3);
    QCOMPARE(Record(3), u""_s);
    QVERIFY(records.Selected(3));
    QCOMPARE(Record(0), u"alpha"_s);
    QVERIFY(editor_->toPlainText().isEmpty());
    QVERIFY(editor_->hasFocus());

    QTest::keyClicks(editor_, "new");
    QCOMPARE(Record(3), u"new"_s);
    QCOMPARE(Record(0), u"alpha"_s);
  }

  void statusFollowsList() {
    auto& records = form_->controls().list1;
    for (int i = 0; i < 10; ++i) records.AddItem(u"r");
    for (int i : {0, 4, 9}) records.SetSelected(i, true);
    QTRY_COMPARE(status_->text(), QStringLiteral("3/10"));
    QVERIFY(editor_->isEnabled());

    // A check mark toggled by the user is counted at the next tick.
    QListWidgetItem* row = list_->item(1);
    const QRect box = list_->visualItemRect(row);
    QTest::mouseClick(list_->viewport(), Qt::LeftButton, {}, QPoint(box.left() + 10, box.center().y()));
    QTRY_COMPARE(status_->text(), QStringLiteral("4/10"));

    records.Clear();
    QTRY_COMPARE(status_->text(), QStringLiteral("列表中无项目"));
    QVERIFY(!editor_->isEnabled());
    QTest::keyClicks(editor_, "x");
    QVERIFY(editor_->toPlainText().isEmpty());
  }

 private:
  void AddRecords(std::initializer_list<std::u16string> texts) {
    auto& records = form_->controls().list1;
    for (const auto& text : texts) {
      QVERIFY(records.AddItem(text));
      records.SetSelected(records.ListCount() - 1, true);
    }
    QTRY_VERIFY(editor_->isEnabled());  // the status timer enables the editor
  }

  void ClickRow(int row) {
    const QRect rect = list_->visualItemRect(list_->item(row));
    QTest::mouseClick(list_->viewport(), Qt::LeftButton, {}, rect.center());
    QCOMPARE(form_->controls().list1.ListIndex(), row);
  }

  QString Record(int row) const {
    return QString::fromStdU16String(form_->controls().list1.List(row));
  }

  std::unique_ptr<Form1> form_;
  QListWidget* list_ = nullptr;
  QPlainTextEdit* editor_ = nullptr;
  QLabel* status_ = nullptr;
};

QTEST_MAIN(RecordEditorTest)
#include "ui_record_editor_test.moc"
