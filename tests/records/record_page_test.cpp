// The record page of the real main window, driven by real mouse, key and
// text events: the list, the editor and file drops. The rules behind them,
// and which command each button reaches, are unit tested; here: what only
// the widgets show.
#include <QtWidgets>
#include <QtTest>

#include "qt_list_file_helpers.h"

using tavorin::testing::DropFiles;
using namespace Qt::StringLiterals;

class RecordPageTest : public QObject, tavorin::testing::FormWithFolder {
  Q_OBJECT

 private slots:
  void init() {
    QVERIFY(Open());
    records_ = form->findChild<QListWidget*>("List1");
    editor_ = form->findChild<QPlainTextEdit*>("Text6");
    folder->Write("records.txt", "one\r\n\r\n  two  \r\n");
  }
  void cleanup() { Close(); }

  void clickLoadsRecordAndTypingReplacesIt() {
    AddRecords({u"alpha"_s, u"beta"_s, u"gamma"_s});
    ClickRow(1);
    QCOMPARE(editor_->textCursor().selectedText(), u"beta"_s);  // focus selects all
    QTest::keyClicks(editor_, "xy");
    QCOMPARE(Texts(), QStringList({u"alpha"_s, u"xy"_s, u"gamma"_s}));

    records_->setFocus();
    QTest::keyClick(records_, Qt::Key_Down);  // moving by keyboard chooses a row too
    QCOMPARE(editor_->toPlainText(), u"gamma"_s);
    QVERIFY(editor_->hasFocus());

    // So does a press on one row and a release on another, or typing would
    // overwrite the row it ended on with the first row's text.
    const QPoint from = records_->visualItemRect(records_->item(0)).center();
    const QPoint to = records_->visualItemRect(records_->item(2)).center();
    QTest::mousePress(records_->viewport(), Qt::LeftButton, {}, from);
    QMouseEvent move(QEvent::MouseMove, to, records_->viewport()->mapToGlobal(to), Qt::NoButton, Qt::LeftButton, {});
    QApplication::sendEvent(records_->viewport(), &move);
    QTest::mouseRelease(records_->viewport(), Qt::LeftButton, {}, to);
    QCOMPARE(form->controls().list1.ListIndex(), 2);
    QCOMPARE(editor_->toPlainText(), u"gamma"_s);

    // Emptying the editor never empties the record.
    QTest::keyClick(editor_, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(editor_, Qt::Key_Delete);
    QCOMPARE(Texts().last(), u"gamma"_s);
  }

  // A click on a row's check box chooses that row like a click on its text:
  // the editor shows it, typing never lands in the row current before, and
  // the status counts the new check mark.
  void checkBoxClickChoosesItsRow() {
    AddRecords({u"alpha"_s, u"beta"_s});
    auto* status = form->findChild<QLabel*>("Label9");
    QTRY_COMPARE(status->text(), u"2/2"_s);
    ClickRow(0);
    const QRect row = records_->visualItemRect(records_->item(1));
    QTest::mouseClick(records_->viewport(), Qt::LeftButton, {}, {row.left() + 10, row.center().y()});
    QVERIFY(!form->controls().list1.Selected(1));  // the box toggled
    QCOMPARE(form->controls().list1.ListIndex(), 1);
    QCOMPARE(editor_->toPlainText(), u"beta"_s);
    QTest::keyClicks(editor_, "z");
    QCOMPARE(Texts(), QStringList({u"alpha"_s, u"z"_s}));
    QTRY_COMPARE(status->text(), u"1/2"_s);
  }

  // Only CR LF pairs go; a lone CR or LF stays in the record, shown as its
  // picture. The rule is unit tested: one paste of each kind shows the wiring.
  void pasteRemovesOnlyCrLf() {
    AddRecords({u"alpha"_s});
    ClickRow(0);
    QApplication::clipboard()->setText(u"a\n\r\nb\r"_s);
    QTest::keyClick(editor_, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(Texts(), QStringList{u"a\nb\r"_s});
    QCOMPARE(editor_->toPlainText(), u"a\u240Ab\u240D"_s);
  }

  // Each way of typing Enter, and the keypad separator (which must not leave
  // its "," in the new record), appends an empty checked record to edit.
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
    AddRecords({u"alpha"_s, u"beta"_s});
    ClickRow(0);  // not the last record
    QTest::keyClick(editor_, Qt::Key_End);
    QTest::keyClick(editor_, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QVERIFY(editor_->toPlainText().isEmpty());
    QTest::keyClicks(editor_, "new");
    QCOMPARE(Texts(), QStringList({u"alpha"_s, u"beta"_s, u"new"_s}));
    QVERIFY(form->controls().list1.Selected(2));
  }

  // Each button of the three pages reaches its command on its own list
  // (the commands' rules are unit tested). A line per list: records (* for
  // a check mark), pairs, actions.
  void everyButtonReachesItsCommandOnItsList() {
    auto& c = form->controls();
    AddRecords({u"a"_s, u"b"_s});
    c.list2.AddItem(u"x->y");
    for (auto line : {u"c1", u"c2"}) c.list3.AddItem(line);
    c.text1.SetText(u"old");
    c.text2.SetText(u"new");
    folder->Write("in.txt", "one\r\ntwo\r\n");
    dialogs.openAnswers = {folder->Name("in.txt"), folder->Name("in.txt")};
    dialogs.saveAnswers = {folder->Name("records.txt"), folder->Name("actions.txt")};
    const std::pair<const char*, QString> steps[] = {
        {"Command12", u"a b|x->y|c1 c2"_s},              // 全不选
        {"Command11", u"a* b*|x->y|c1 c2"_s},            // 全选
        {"Command14", u"a* b* (请输入内容)*|x->y|c1 c2"_s},  // 新增, current
        {"Command15", u"a* b*|x->y|c1 c2"_s},            // 删除 the current record
        {"Command1", u"a* b*|x->y old->new|c1 c2"_s},    // 添加 a pair
        {"Command10", u"a* b*|x->y old->new|"_s},         // 清空 the actions
        {"Command8", u"a* b*|x->y old->new|one two"_s},   // 导入 actions
        {"Command5", u"one* two*|x->y old->new|one two"_s},  // 导入 records
        {"Command13", u"one* two*|x->y old->new|one two"_s},  // 导出 records
        {"Command9", u"one* two*|x->y old->new|one two"_s},   // 导出 actions
        {"Command3", u"one* two*||one two"_s},             // 清空 the pairs
    };
    for (const auto& [button, lists] : steps) {
      qobject_cast<QPushButton*>(form->findChild<QWidget*>(button))->click();
      QCOMPARE(Lists(), lists);
    }
    QCOMPARE(folder->Read("records.txt") + folder->Read("actions.txt"), std::string("one\r\ntwo\r\none\r\ntwo\r\n"));
    c.list2.AddItem(u"p->q");
    c.list2.SetListIndex(0);
    form->findChild<QPushButton*>("Command4")->click();  // 编辑 loads the pair into the fields
    QCOMPARE(QString::fromStdU16String(c.text1.Text() + u"|" + c.text2.Text()), u"p|q"_s);
    form->findChild<QPushButton*>("Command2")->click();  // 删除 the pair
    QCOMPARE(c.list2.ListCount(), 0);
  }

  void dropLoadsOnlyAFirstTxtFile() {
    AddRecords({u"a"_s});
    const QString records = Path("records.txt");
    QVERIFY(DropFiles(*records_, {u"/tmp/x.doc"_s, records}));
    QCOMPARE(Texts(), QStringList({u"a"_s}));
    QVERIFY(DropFiles(*records_, {records, u"/tmp/x.doc"_s}));
    QCOMPARE(Texts(), QStringList({u"one"_s, u"  two  "_s}));
  }

 private:
  void ClickRow(int row) {
    QTest::mouseClick(records_->viewport(), Qt::LeftButton, {}, records_->visualItemRect(records_->item(row)).center());
  }
  void AddRecords(const QStringList& texts) {
    for (const QString& text : texts) {
      form->controls().list1.AddItem(text.toStdU16String());
      form->controls().list1.SetSelected(records_->count() - 1, true);
    }
    QTRY_VERIFY(editor_->isEnabled());  // the status tick enables the editor
  }
  QStringList Texts() const { return tavorin::testing::ItemTexts(*records_); }
  QString Lists() const {
    const auto& c = form->controls();
    QStringList records;
    for (int i = 0; i < c.list1.ListCount(); ++i) {
      records << QString::fromStdU16String(c.list1.List(i)) + (c.list1.Selected(i) ? "*" : "");
    }
    return records.join(' ') + '|' + tavorin::testing::ItemTexts(*form->findChild<QListWidget*>("List2")).join(' ') +
           '|' + tavorin::testing::ActionLines(*form).join(' ');
  }

  QListWidget* records_ = nullptr;
  QPlainTextEdit* editor_ = nullptr;
};

QTEST_MAIN(RecordPageTest)
#include "record_page_test.moc"
