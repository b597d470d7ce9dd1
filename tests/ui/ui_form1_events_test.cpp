// The record editor and the replacement word buttons on the real main
// window, driven by real mouse, key and text events.
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <memory>

#include "qt/form1.h"
#include "qt/form1_controls.h"

using tavorin::Form1;
using namespace Qt::StringLiterals;

class Form1EventsTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    form_ = std::make_unique<Form1>();
    records_ = form_->findChild<QListWidget*>("List1");
    editor_ = form_->findChild<QPlainTextEdit*>("Text6");
    form_->show();
    form_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(form_.get()));
  }
  void cleanup() { form_.reset(); }

  void clickLoadsRecordAndTypingReplacesIt() {
    AddRecords({u"alpha", u"beta", u"gamma"});
    ClickRow(records_, 1);
    QCOMPARE(editor_->textCursor().selectedText(), u"beta"_s);  // focus selects all
    QTest::keyClicks(editor_, "xy");
    QCOMPARE(Record(1) + Record(0) + Record(2), u"xyalphagamma"_s);

    records_->setFocus();
    QTest::keyClick(records_, Qt::Key_Down);  // moving by keyboard chooses a row too
    QCOMPARE(editor_->toPlainText(), u"gamma"_s);
    QVERIFY(editor_->hasFocus());

    // So does a press on one row and a release on another, or typing would
    // overwrite the row it ended on with the first row's text.
    const QPoint from = records_->visualItemRect(records_->item(0)).center();
    const QPoint to = records_->visualItemRect(records_->item(2)).center();
    QTest::mousePress(records_->viewport(), Qt::LeftButton, {}, from);
    QMouseEvent move(QEvent::MouseMove, to, records_->viewport()->mapToGlobal(to), Qt::NoButton,
                     Qt::LeftButton, {});
    QApplication::sendEvent(records_->viewport(), &move);
    QTest::mouseRelease(records_->viewport(), Qt::LeftButton, {}, to);
    QCOMPARE(form_->controls().list1.ListIndex(), 2);
    QCOMPARE(editor_->toPlainText(), u"gamma"_s);
  }

  // A click on a row's check box chooses that row like a click on its text:
  // the editor shows it, and typing never lands in the row current before.
  void checkBoxClickChoosesItsRow() {
    AddRecords({u"alpha", u"beta"});
    ClickRow(records_, 0);
    const QRect row = records_->visualItemRect(records_->item(1));
    QTest::mouseClick(records_->viewport(), Qt::LeftButton, {}, {row.left() + 10, row.center().y()});
    QVERIFY(!form_->controls().list1.Selected(1));  // the box toggled
    QCOMPARE(form_->controls().list1.ListIndex(), 1);
    QCOMPARE(editor_->toPlainText(), u"beta"_s);
    QTest::keyClicks(editor_, "z");
    QCOMPARE(Record(0) + ' ' + Record(1), u"alpha z"_s);
  }

  void emptyingEditorNeverEmptiesRecord() {
    AddRecords({u"alpha"});
    ClickRow(records_, 0);
    QTest::keyClick(editor_, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(editor_, Qt::Key_Delete);
    QCOMPARE(Record(0), u"alpha"_s);
    QTest::keyClick(editor_, Qt::Key_Return);  // Enter in an empty editor adds nothing
    QCOMPARE(records_->count(), 1);

    ClickRow(records_, 0);
    QTest::keyClick(editor_, Qt::Key_End);
    for (int i = 0; i < 5; ++i) QTest::keyClick(editor_, Qt::Key_Backspace);
    QCOMPARE(Record(0), u"a"_s);
    QVERIFY(editor_->toPlainText().isEmpty());
  }

  // Only CR LF pairs go; a lone CR or LF stays in the record, shown as its
  // picture. The rule is unit tested: one paste of each kind shows the wiring.
  void pasteRemovesOnlyCrLf() {
    AddRecords({u"alpha"});
    ClickRow(records_, 0);
    QApplication::clipboard()->setText(u"a\n\r\nb\r"_s);
    QTest::keyClick(editor_, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(Record(0), u"a\nb\r"_s);
    QCOMPARE(editor_->toPlainText(), u"a\u240Ab\u240D"_s);
    QCOMPARE(records_->count(), 1);
  }

  void enterAppendsEmptyCheckedRecord_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::newRow("Return") << int(Qt::Key_Return) << int(Qt::NoModifier);
    QTest::newRow("keypad Enter") << int(Qt::Key_Enter) << int(Qt::KeypadModifier);
    QTest::newRow("Shift+Return") << int(Qt::Key_Return) << int(Qt::ShiftModifier);
    QTest::newRow("keypad separator") << int(Qt::Key_Comma) << int(Qt::KeypadModifier);
  }
  void enterAppendsEmptyCheckedRecord() {
    QFETCH(int, key);
    QFETCH(int, modifiers);
    AddRecords({u"alpha", u"beta", u"gamma"});
    ClickRow(records_, 0);  // not the last record
    QTest::keyClick(editor_, Qt::Key_End);
    QTest::keyClick(editor_, Qt::Key(key), Qt::KeyboardModifiers(modifiers));

    auto& list = form_->controls().list1;
    QCOMPARE(list.ListCount(), 4);
    QCOMPARE(list.ListIndex(), 3);
    QVERIFY(list.Selected(3));
    QVERIFY(editor_->toPlainText().isEmpty());
    QTest::keyClicks(editor_, "new");
    QCOMPARE(Record(3) + ' ' + Record(0), u"new alpha"_s);
  }

  void statusFollowsList() {
    auto& list = form_->controls().list1;
    for (int i = 0; i < 10; ++i) list.AddItem(u"r");
    for (int i : {0, 4, 9}) list.SetSelected(i, true);
    auto* status = form_->findChild<QLabel*>("Label9");
    QTRY_COMPARE(status->text(), u"3/10"_s);
    QVERIFY(editor_->isEnabled());
    const QRect row = records_->visualItemRect(records_->item(1));  // its check box
    QTest::mouseClick(records_->viewport(), Qt::LeftButton, {}, {row.left() + 10, row.center().y()});
    QTRY_COMPARE(status->text(), u"4/10"_s);
  }

  void replacementButtons() {
    QTabBar* bar = form_->tabStrip().tabBar();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(1).center());
    auto* oldText = form_->findChild<QLineEdit*>("Text1");
    auto* newText = form_->findChild<QLineEdit*>("Text2");
    auto* pairs = form_->findChild<QListWidget*>("List2");
    const auto add = [&](const char* from, const char* to) {
      QTest::keyClicks(oldText, from);
      QTest::keyClicks(newText, to);
      Click("Command1");
    };

    add("a->b", "c");
    add("x", "y");
    QCOMPARE(pairs->item(0)->text(), u"a->b->c"_s);
    QVERIFY(oldText->text().isEmpty() && newText->text().isEmpty());

    ClickRow(pairs, 0);
    Click("Command4");
    QCOMPARE(oldText->text() + '|' + newText->text(), u"a|c"_s);
    Click("Command2");
    QCOMPARE(pairs->count(), 1);
    Click("Command2");  // a delete leaves no pair selected: nothing more goes
    QCOMPARE(pairs->count(), 1);
    QCOMPARE(pairs->item(0)->text(), u"x->y"_s);

    Click("Command3");
    QCOMPARE(pairs->count(), 0);
    QVERIFY(oldText->text().isEmpty() && newText->text().isEmpty());
  }

 private:
  void AddRecords(std::initializer_list<std::u16string> texts) {
    auto& list = form_->controls().list1;
    for (const auto& text : texts) {
      QVERIFY(list.AddItem(text));
      list.SetSelected(list.ListCount() - 1, true);
    }
    QTRY_VERIFY(editor_->isEnabled());  // the status timer enables the editor
  }
  void ClickRow(QListWidget* list, int row) {
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->item(row)).center());
  }
  void Click(const char* button) {
    QTest::mouseClick(form_->findChild<QPushButton*>(button), Qt::LeftButton);
  }
  QString Record(int row) const {
    return QString::fromStdU16String(form_->controls().list1.List(row));
  }

  std::unique_ptr<Form1> form_;
  QListWidget* records_ = nullptr;
  QPlainTextEdit* editor_ = nullptr;
};

QTEST_MAIN(Form1EventsTest)
#include "ui_form1_events_test.moc"
