// The action page of the real main window on Qt's offscreen platform: the
// buttons that add an action line and the key, wait and insert dialogs they
// open, driven by real key and mouse events; double-click; and the shared
// file dialogs themselves. The rules behind them, and which command each
// button reaches, are unit tested; here: what only the widgets show.
#include <QtWidgets>
#include <QtTest>

#include "qt/control_factory.h"
#include "qt/qt_file_dialogs.h"
#include "qt_list_file_helpers.h"

using tavorin::QtFileDialogs;
using tavorin::testing::OnNextModal;
using namespace Qt::StringLiterals;

class ActionPageTest : public QObject, tavorin::testing::FormWithFolder {
  Q_OBJECT

 private slots:
  void init() {
    QVERIFY(Open());
    actions_ = form->findChild<QListWidget*>("List3");
    form->tabStrip().setCurrentIndex(2);
  }
  void cleanup() { Close(); }

  // What only Qt's key events carry, as an X server reports them: a
  // modifier's own press does not carry it yet, and * marks an auto-repeat.
  // Real keys are captured on Xvfb.
  void keyChords_data() {
    QTest::addColumn<QString>("keys");
    QTest::newRow("Ctrl let go first") << "+Ctrl +V -Ctrl";
    QTest::newRow("auto-repeat") << "+Ctrl -Ctrl* +Ctrl* +V -V";
  }
  void keyChords() {
    QFETCH(QString, keys);
    WithDialog(3, [&](QDialog& dialog) {
      auto* text = dialog.findChild<QLineEdit*>("Text1");
      Qt::KeyboardModifiers held;
      for (const QString& step : keys.split(' ')) {
        QVERIFY2(dialog.isVisible(), qPrintable("closed before " + step));
        const bool press = step.startsWith('+'), repeat = step.endsWith('*'), ctrl = step.contains("Ctrl");
        QKeyEvent event(press ? QEvent::KeyPress : QEvent::KeyRelease, ctrl ? Qt::Key_Control : Qt::Key_V, held,
                        QString(), repeat);
        QApplication::sendEvent(text, &event);
        if (ctrl && !repeat) held.setFlag(Qt::ControlModifier, press);
      }
      QVERIFY(!dialog.isVisible());
      QCOMPARE(text->text(), u"86 2"_s);  // the box showed the chord
    });
    QCOMPARE(Lines(), QStringList{u"按下按键 86 2"_s});
  }

  // Typed text, then each way of confirming: "确定", Enter, keypad Enter.
  void textDialogs_data() {
    QTest::addColumn<int>("button");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("line");
    QTest::newRow("wait with a unit") << 4 << u"2秒"_s << u"等候时长 2"_s;
    QTest::newRow("insert") << 5 << u" 你好 %i "_s << u"插入内容  你好 %i "_s;
  }
  void textDialogs() {
    QFETCH(int, button);
    QFETCH(QString, typed);
    QFETCH(QString, line);
    for (int trigger = 0; trigger < 3; ++trigger) {
      form->controls().list3.Clear();
      WithDialog(button, [&](QDialog& dialog) {
        auto* text = dialog.findChild<QLineEdit*>("Text1");
        for (const QChar c : typed) {  // key by key; characters without a key of their own come as text
          if (c.unicode() < 0x80) QTest::keyClick(text, c.toLatin1());
          else QTest::sendKeyEvent(QTest::Click, text, Qt::Key_unknown, QString(c), Qt::NoModifier);
        }
        if (trigger == 0) QTest::mouseClick(dialog.findChild<QPushButton*>("Command5"), Qt::LeftButton);
        if (trigger == 1) QTest::keyClick(text, Qt::Key_Return);
        if (trigger == 2) QTest::keyClick(text, Qt::Key_Enter, Qt::KeypadModifier);
        QVERIFY(!dialog.isVisible());
      });
      QCOMPARE(Lines(), QStringList{line});
    }
  }

  // A paste into the insert dialog keeps every character but the line
  // breaks, which would split the action in a file; a long one stays whole.
  void insertPasteKeepsOneLine_data() {
    QTest::addColumn<QString>("pasted");
    QTest::addColumn<QString>("kept");
    QTest::newRow("CR LF") << u"A行1\r\nB行2"_s << u"A行1B行2"_s;
    QTest::newRow("lone breaks") << u"\na\rb\n"_s << u"ab"_s;
    QTest::newRow("40,000 characters") << QString(40000, u'长') << QString(40000, u'长');
  }
  void insertPasteKeepsOneLine() {
    QFETCH(QString, pasted);
    QFETCH(QString, kept);
    WithDialog(5, [&](QDialog& dialog) {
      auto* text = dialog.findChild<QLineEdit*>("Text1");
      QTest::keyClicks(text, "<>");
      QTest::keyClick(text, Qt::Key_Left);
      QApplication::clipboard()->setText(pasted);
      QTest::keyClick(text, Qt::Key_V, Qt::ControlModifier);
      QCOMPARE(text->text(), "<" + kept + ">");
      QCOMPARE(text->cursorPosition(), 1 + kept.size());  // the caret stays after the paste
      QTest::keyClick(text, Qt::Key_Return);
    });
    QCOMPARE(Lines(), QStringList{u"插入内容 <"_s + kept + '>'});
  }

  // On a full action list every way of adding says so and adds nothing (the
  // position picker's way on Xvfb).
  void fullListSaysSo() {
    auto& actions = form->controls().list3;
    for (int i = 0; i < tavorin::ListBox::kMaxListItems; ++i) actions.AddItem(u"复制内容");
    for (int button : {0, 1, 3, 4, 5}) {
      QString told;
      if (button < 3) {
        tavorin::testing::NoteNextBox(told);
      } else {
        OnNextModal([&](QDialog& dialog) {
          tavorin::testing::NoteNextBox(told);  // the confirm shows it
          QTest::keyClick(dialog.findChild<QLineEdit*>("Text1"), button == 3 ? Qt::Key_F5 : Qt::Key_Return);
        });
      }
      ClickEntry(button);
      QCOMPARE(told, u"动作列表已满：列表最多容纳 32767 项，这一项未添加。"_s);
      QCOMPARE(actions.ListCount(), tavorin::ListBox::kMaxListItems);
    }
  }

  // What Qt 6 delivers for a double-click: the second press comes both as a
  // press and as a double-click.
  void doubleClickDeletesTheRowUnderThePointer() {
    AddActions({u"a"_s, u"b"_s, u"c"_s});
    QWidget* viewport = actions_->viewport();
    const QPoint at = actions_->visualItemRect(actions_->item(1)).center();
    QTest::mouseClick(viewport, Qt::LeftButton, {}, at);
    QTest::mousePress(viewport, Qt::LeftButton, {}, at);
    QMouseEvent twice(QEvent::MouseButtonDblClick, QPointF(at), viewport->mapToGlobal(QPointF(at)), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(viewport, &twice);
    QTest::mouseRelease(viewport, Qt::LeftButton, {}, at);
    QCOMPARE(Lines(), QStringList({u"a"_s, u"c"_s}));
    QCOMPARE(form->controls().list3.ListIndex(), -1);
  }

  // Each file dialog has its title and the text filter, and offers the path
  // last chosen in it, also after a cancel; the two remember separately.
  void fileDialogsShowTheirDesignAndRememberTheLastPath() {
    QtFileDialogs& files = QtFileDialogs::Of(*form);
    files.Replace(nullptr);  // the real dialogs
    folder->Write("actions.txt", "");
    const QString opened = Path("actions.txt"), saved = Path("saved.txt");
    QStringList seen;
    // Notes what the dialog looked like and chooses `path`, or cancels.
    const auto answer = [&](const QString& path) {
      OnNextModal<QFileDialog>([&seen, path](QFileDialog& files) {
        const QString offered = files.selectedFiles().value(0);
        seen << files.windowTitle() + ' ' + files.nameFilters().join(';') + ' ' + QString::number(files.acceptMode()) +
                    ' ' + (QFileInfo(offered).isDir() ? QString() : offered);
        if (!path.isEmpty()) {
          // Typed as a user would: selectFile() leaves a name field with the focus alone.
          files.findChild<QLineEdit*>("fileNameEdit")->setText(path);
          static_cast<QDialog&>(files).accept();
        }
      });
    };
    answer(opened);
    QCOMPARE(files.AskOpenPath(), std::optional(opened.toStdU16String()));
    for (int i = 0; i < 2; ++i) {
      answer({});
      QVERIFY(!files.AskOpenPath().has_value());
    }
    answer(saved);
    QCOMPARE(files.AskSavePath(), std::optional(saved.toStdU16String()));
    answer({});
    QVERIFY(!files.AskSavePath().has_value());
    const QString open = u"导入 文本文件(*.txt) 0 "_s, save = u"导出 文本文件(*.txt) 1 "_s;
    QCOMPARE(seen, QStringList({open, open + opened, open + opened, save, save + saved}));
  }

 private:
  void ClickEntry(int index) {
    QTest::mouseClick(form->findChild<QPushButton*>(tavorin::ArrayName("Command6", index)), Qt::LeftButton);
  }
  // Clicks the button and drives the modal dialog it opens; the click
  // returns when the dialog has closed. One left open is closed.
  void WithDialog(int index, const std::function<void(QDialog&)>& drive) {
    bool driven = false;
    OnNextModal([&](QDialog& dialog) {
      driven = true;
      drive(dialog);
    });
    ClickEntry(index);
    QVERIFY2(driven, "no modal dialog opened");
  }
  void AddActions(const QStringList& texts) {
    for (const QString& text : texts) form->controls().list3.AddItem(text.toStdU16String());
  }
  QStringList Lines() const { return tavorin::testing::ItemTexts(*actions_); }

  QListWidget* actions_ = nullptr;
};

QTEST_MAIN(ActionPageTest)
#include "action_page_test.moc"
