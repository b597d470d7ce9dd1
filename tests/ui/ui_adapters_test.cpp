// The Qt adapters behind the list, text-box and label interfaces, and the
// key codes handed to the record editor.
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTest>

#include "ui/qt_label.h"
#include "ui/qt_list_box.h"
#include "ui/qt_text_box.h"
#include "ui/virtual_keys.h"

using tavorin::ListBox;
using tavorin::QtLabel;
using tavorin::QtListBox;
using tavorin::QtTextBox;
using Style = QtListBox::Style;

Q_DECLARE_METATYPE(QtListBox::Style)

class AdaptersTest : public QObject {
  Q_OBJECT

 private slots:
  void bothListStyles_data() {
    QTest::addColumn<Style>("style");
    QTest::newRow("check boxes") << Style::kCheckBoxes;
    QTest::newRow("plain") << Style::kPlain;
  }

  void removingItemsKeepsCurrentConsistent_data() { bothListStyles_data(); }
  void removingItemsKeepsCurrentConsistent() {
    QFETCH(Style, style);
    QListWidget widget;
    QtListBox list(widget, style);
    for (auto text : {u"a", u"b", u"c", u"d"}) QVERIFY(list.AddItem(text));

    list.SetListIndex(2);
    list.RemoveItem(0);  // an earlier row: the current one moves up with its text
    QCOMPARE(list.ListIndex(), 1);
    QCOMPARE(list.List(1), u"c");
    list.RemoveItem(2);  // a later row leaves it alone
    QCOMPARE(list.ListIndex(), 1);

    list.RemoveItem(1);  // the current row itself: none is current afterwards
    QCOMPARE(list.ListIndex(), -1);
    QCOMPARE(list.ListCount(), 1);
    QCOMPARE(list.List(0), u"b");
    QVERIFY(widget.selectedItems().isEmpty());
  }

  void clearLeavesNoCurrent_data() { bothListStyles_data(); }
  void clearLeavesNoCurrent() {
    QFETCH(Style, style);
    QListWidget widget;
    QtListBox list(widget, style);
    list.AddItem(u"a");
    list.SetListIndex(0);
    list.Clear();
    QCOMPARE(list.ListCount(), 0);
    QCOMPARE(list.ListIndex(), -1);
    list.AddItem(u"b");
    QCOMPARE(list.ListIndex(), -1);
    QVERIFY(!list.Selected(0));
  }

  void replacingTextKeepsFlag_data() { bothListStyles_data(); }
  void replacingTextKeepsFlag() {
    QFETCH(Style, style);
    QListWidget widget;
    QtListBox list(widget, style);
    list.AddItem(u"a");
    list.AddItem(u"b");
    list.SetSelected(1, true);
    list.SetList(1, u"B");
    QCOMPARE(list.List(1), u"B");
    QVERIFY(list.Selected(1));
    QVERIFY(!list.Selected(0));
    QCOMPARE(list.SelCount(), 1);
  }

  // In the check-box list the check marks and the current row are separate.
  void checkMarksAreIndependentOfCurrent() {
    QListWidget widget;
    QtListBox list(widget, Style::kCheckBoxes);
    for (auto text : {u"a", u"b", u"c"}) list.AddItem(text);
    QVERIFY(widget.item(0)->flags().testFlag(Qt::ItemIsUserCheckable));
    QCOMPARE(list.SelCount(), 0);
    list.SetSelected(0, true);
    list.SetSelected(2, true);
    list.SetListIndex(1);
    QCOMPARE(list.SelCount(), 2);
    QVERIFY(!list.Selected(1));
    list.SetListIndex(-1);
    QCOMPARE(list.SelCount(), 2);
    QCOMPARE(list.ListIndex(), -1);
  }

  // Qt may keep a current row without highlighting it; that is no current item.
  void unhighlightedRowIsNotCurrent() {
    QListWidget widget;
    QtListBox list(widget, Style::kPlain);
    list.AddItem(u"a");
    list.AddItem(u"b");
    widget.setCurrentRow(1);
    QCOMPARE(list.ListIndex(), 1);
    widget.clearSelection();
    QCOMPARE(widget.currentRow(), 1);
    QCOMPARE(list.ListIndex(), -1);
    QCOMPARE(list.SelCount(), 0);
  }

  void fullListRefusesItems() {
    QListWidget widget;
    QtListBox list(widget, Style::kPlain);
    for (int i = 0; i < ListBox::kMaxListItems; ++i) {
      if (!list.AddItem(u"x")) QFAIL("refused below the limit");
    }
    QVERIFY(!list.AddItem(u"one too many"));
    QCOMPARE(list.ListCount(), 32767);
    list.RemoveItem(0);
    QVERIFY(list.AddItem(u"fits again"));
  }

  void multiLineTextUsesCrLf() {
    QPlainTextEdit editor;
    QtTextBox box(editor);
    QSignalSpy changes(&editor, &QPlainTextEdit::textChanged);
    box.SetText(u"ab\r\ncd\r\n");
    QCOMPARE(changes.count(), 1);
    QCOMPARE(editor.toPlainText(), QStringLiteral("ab\ncd\n"));
    QCOMPARE(box.Text(), u"ab\r\ncd\r\n");

    box.Select(4, 2);  // "cd", counted in the CR LF text
    QCOMPARE(editor.textCursor().selectedText(), QStringLiteral("cd"));
    box.Select(0, 8);
    QCOMPARE(editor.textCursor().selectionEnd(), 6);
  }

  void focusOnlyWhenItCanBeTaken() {
    QWidget window;
    auto* edit = new QLineEdit(&window);
    QtTextBox box(*edit);
    QVERIFY(!box.SetFocus());  // window not shown
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    box.SetEnabled(false);
    QVERIFY(!box.Enabled());
    QVERIFY(!box.SetFocus());
    box.SetEnabled(true);
    QVERIFY(box.SetFocus());
    QVERIFY(edit->hasFocus());
    edit->hide();
    QVERIFY(!box.SetFocus());
  }

  void labelSizedToTextFollowsCaption() {
    QLabel label("0/1");
    label.setGeometry(0, 0, 20, 17);
    QtLabel sized(label, true);
    sized.SetCaption(u"列表中无项目");
    QCOMPARE(sized.Caption(), u"列表中无项目");
    QVERIFY(label.width() >= label.fontMetrics().horizontalAdvance(label.text()));
    QCOMPARE(label.height(), 17);
  }

  void virtualKeys_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<uint>("keysym");
    QTest::addColumn<int>("expected");
    QTest::newRow("Return") << int(Qt::Key_Return) << 0 << 0xff0du << 13;
    QTest::newRow("keypad Enter") << int(Qt::Key_Enter) << int(Qt::KeypadModifier) << 0xff8du << 13;
    QTest::newRow("keypad separator keysym") << int(Qt::Key_Comma) << int(Qt::KeypadModifier)
                                             << 0xffacu << 108;
    QTest::newRow("keypad separator without keysym")
        << int(Qt::Key_Comma) << int(Qt::KeypadModifier) << 0u << 108;
    QTest::newRow("comma") << int(Qt::Key_Comma) << 0 << 0x2cu << 0;
    QTest::newRow("Shift+A") << int(Qt::Key_A) << int(Qt::ShiftModifier) << 0x41u << 65;
    QTest::newRow("digit 5") << int(Qt::Key_5) << 0 << 0x35u << 53;
    QTest::newRow("keypad 5") << int(Qt::Key_5) << int(Qt::KeypadModifier) << 0xffb5u << 101;
    QTest::newRow("F5") << int(Qt::Key_F5) << 0 << 0xffc2u << 116;
    QTest::newRow("Delete") << int(Qt::Key_Delete) << 0 << 0xffffu << 46;
    QTest::newRow("plus") << int(Qt::Key_Plus) << 0 << 0x2bu << 0;
    QTest::newRow("keypad plus") << int(Qt::Key_Plus) << int(Qt::KeypadModifier) << 0xffabu << 107;
    QTest::newRow("unmapped") << int(Qt::Key_Eacute) << 0 << 0xe9u << 0;
  }

  void virtualKeys() {
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(uint, keysym);
    QFETCH(int, expected);
    QCOMPARE(tavorin::WindowsVirtualKey(key, Qt::KeyboardModifiers(modifiers), keysym), expected);
  }
};

QTEST_MAIN(AdaptersTest)
#include "ui_adapters_test.moc"
