// The Qt adapters behind the list and text-box interfaces, and the key codes
// handed to the record editor.
#include <QListWidget>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTest>

#include "core/interfaces/memory_list_box.h"
#include "qt/qt_list_box.h"
#include "qt/qt_text_box.h"
#include "qt/virtual_keys.h"

using tavorin::QtListBox;
using Style = QtListBox::Style;

// The in-memory list the unit tests use must behave as the real one: the
// list case runs on the real list in both styles and on the in-memory one.
struct Lists {
  QListWidget widget;
  QtListBox checkBoxes{widget, Style::kCheckBoxes};
  QListWidget plainWidget;
  QtListBox plain{plainWidget, Style::kPlain};
  tavorin::MemoryListBox memory;
};

class AdaptersTest : public QObject {
  Q_OBJECT

 private slots:
  void lists_data() {
    QTest::addColumn<int>("kind");
    QTest::newRow("check boxes") << 0;
    QTest::newRow("plain") << 1;
    QTest::newRow("memory") << 2;
  }
  void lists() {
    QFETCH(int, kind);
    Lists lists;
    tavorin::ListBox* choices[] = {&lists.checkBoxes, &lists.plain, &lists.memory};
    tavorin::ListBox& list = *choices[kind];
    for (auto text : {u"a", u"b", u"c", u"d"}) QVERIFY(list.AddItem(text));
    list.SetListIndex(2);
    list.RemoveItem(0);  // an earlier row: the current one moves up with its text
    QCOMPARE(list.ListIndex(), 1);
    list.RemoveItem(2);  // a later row leaves it alone
    QCOMPARE(list.ListIndex(), 1);
    list.RemoveItem(1);  // the current row itself: none is current afterwards
    QCOMPARE(list.ListIndex(), -1);
    QVERIFY(list.List(0) == u"b" && list.ListCount() == 1);

    list.SetListIndex(0);
    list.Clear();
    list.AddItem(u"e");
    QCOMPARE(list.ListIndex(), -1);
    QVERIFY(!list.Selected(0));

    list.Clear();
    for (int i = 0; i < tavorin::ListBox::kMaxListItems; ++i) {
      if (!list.AddItem(u"x")) QFAIL("refused below the limit");
    }
    QVERIFY(!list.AddItem(u"one too many"));
    QCOMPARE(list.ListCount(), tavorin::ListBox::kMaxListItems);
  }

  void replacingTextKeepsCheckMark() {
    QListWidget widget;
    QtListBox list(widget, Style::kCheckBoxes);
    for (auto text : {u"a", u"b", u"c"}) list.AddItem(text);
    list.SetSelected(1, true);
    list.SetList(1, u"B");
    QVERIFY(list.List(1) == u"B" && list.Selected(1));
    // Check marks and the current row are independent.
    list.SetListIndex(2);
    QCOMPARE(list.SelCount(), 1);
    QVERIFY(!list.Selected(2));
  }

  // Qt may keep a current row without highlighting it; that is no current item.
  void unhighlightedRowIsNotCurrent() {
    QListWidget widget;
    QtListBox list(widget, Style::kPlain);
    list.AddItem(u"a");
    list.AddItem(u"b");
    widget.setCurrentRow(1);
    widget.clearSelection();
    QCOMPARE(widget.currentRow(), 1);
    QCOMPARE(list.ListIndex(), -1);
    QCOMPARE(list.SelCount(), 0);
  }

  void multiLineTextUsesCrLf() {
    QPlainTextEdit editor;
    tavorin::QtTextBox box(editor);
    QSignalSpy changes(&editor, &QPlainTextEdit::textChanged);
    box.SetText(u"ab\r\ncd\r\n");
    QCOMPARE(changes.count(), 1);
    QCOMPARE(editor.toPlainText(), QStringLiteral("ab\ncd\n"));
    QVERIFY(box.Text() == u"ab\r\ncd\r\n");
    box.Select(4, 2);  // "cd", counted in the CR LF text
    QCOMPARE(editor.textCursor().selectedText(), QStringLiteral("cd"));
    // A lone CR or LF is no line break and must come back unchanged.
    box.SetText(u"a\rb\nc\r\nd");
    QCOMPARE(editor.blockCount(), 2);
    QVERIFY(box.Text() == u"a\rb\nc\r\nd");
    box.SetEnabled(false);
    QVERIFY(!box.SetFocus());
  }

  void virtualKeys() {
    using tavorin::WindowsVirtualKey;
    QCOMPARE(WindowsVirtualKey(Qt::Key_Return, Qt::ShiftModifier, 0xff0d), 13);
    QCOMPARE(WindowsVirtualKey(Qt::Key_Enter, Qt::KeypadModifier, 0xff8d), 13);
    QCOMPARE(WindowsVirtualKey(Qt::Key_Comma, Qt::KeypadModifier, 0xffac), 108);
    QCOMPARE(WindowsVirtualKey(Qt::Key_Comma, Qt::NoModifier, 0x2c), 0);
    QCOMPARE(WindowsVirtualKey(Qt::Key_A, Qt::ShiftModifier, 0x41), 65);
    QCOMPARE(WindowsVirtualKey(Qt::Key_5, Qt::KeypadModifier, 0xffb5), 101);
    QCOMPARE(WindowsVirtualKey(Qt::Key_F5, Qt::NoModifier, 0xffc2), 116);
    QCOMPARE(WindowsVirtualKey(Qt::Key_Plus, Qt::NoModifier, 0x2b), 0);
  }
};

QTEST_MAIN(AdaptersTest)
#include "ui_adapters_test.moc"
