// Pasting into the record editor on a real X server where no program owns the
// clipboard or the primary selection: Qt's stock plain-text edit crashes on
// the empty data it gets there.
#include <QApplication>
#include <QClipboard>
#include <QTest>

#include "qt/record_text_edit.h"

class EditorPasteTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { QCOMPARE(QGuiApplication::platformName(), QString("xcb")); }

  void pasteWithoutClipboardOwnerKeepsTheText() {
    tavorin::RecordTextEdit editor;
    editor.setPlainText("kept");
    editor.show();
    QVERIFY(QTest::qWaitForWindowExposed(&editor));
    QTest::keyClick(&editor, Qt::Key_V, Qt::ControlModifier);
    QTest::mouseClick(editor.viewport(), Qt::MiddleButton);
    QCOMPARE(editor.toPlainText(), QString("kept"));
  }

  void pasteOfTextStillWorks() {
    tavorin::RecordTextEdit editor;
    editor.show();
    QVERIFY(QTest::qWaitForWindowExposed(&editor));
    QGuiApplication::clipboard()->setText("a\r\nb");
    QTest::keyClick(&editor, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(editor.toPlainText(), QString("a\nb"));
  }
};

QTEST_MAIN(EditorPasteTest)
#include "ui_editor_paste_test.moc"
