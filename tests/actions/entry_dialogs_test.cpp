// The six buttons that add an action line, and the key, wait and insert
// dialogs they open, driven by real key and mouse events.
#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>

#include "qt_list_file_helpers.h"
#include "qt/control_factory.h"

using tavorin::testing::ActionLines;

using tavorin::Form1;
using namespace Qt::StringLiterals;

class EntryDialogsTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    form_ = std::make_unique<Form1>();
    form_->show();
    QVERIFY(QTest::qWaitForWindowExposed(form_.get()));
  }
  void cleanup() { form_.reset(); }

  void copyAndPasteAppendAtTheEnd() {
    form_->controls().list3.AddItem(u"等候时长 1");
    form_->controls().list3.SetListIndex(0);  // a current line does not move the insertion
    for (int button : {0, 1, 0}) ClickButton(button);
    QCOMPARE(ActionLines(*form_), QStringList({u"等候时长 1"_s, u"复制内容"_s, u"粘贴内容"_s, u"复制内容"_s}));
  }

  void dialogsHaveTheirDesign_data() {
    QTest::addColumn<int>("button");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QSize>("client");
    QTest::addColumn<QString>("focusOrder");
    QTest::newRow("Form3") << 3 << u"按下按键。。。"_s << QSize(221, 40) << "Text1 Form3";
    QTest::newRow("Form4") << 4 << u"等候（秒）："_s << QSize(183, 39) << "Text1 Command5";
    QTest::newRow("Form5") << 5 << u"插入内容："_s << QSize(224, 39) << "Command5 Text1";
  }
  void dialogsHaveTheirDesign() {
    QFETCH(int, button);
    QFETCH(QString, caption);
    QFETCH(QSize, client);
    QFETCH(QString, focusOrder);
    WithDialog(button, [&](QDialog& dialog) {
      QCOMPARE(dialog.objectName(), QString(QTest::currentDataTag()));
      QCOMPARE(dialog.windowTitle(), caption);
      QCOMPARE(dialog.windowType(), Qt::Tool);
      QCOMPARE(dialog.size(), client);
      QCOMPARE(dialog.minimumSize(), dialog.maximumSize());
      QVERIFY((dialog.geometry().center() - form_->geometry().center()).manhattanLength() <= 2);
      const QWidget* focus = dialog.focusWidget();
      QCOMPARE(focus->objectName() + ' ' + focus->nextInFocusChain()->objectName(), focusOrder);
      QCOMPARE(focus->font().family() + ' ' + QString::number(focus->font().pointSizeF()), u"微软雅黑 9"_s);
      if (button != 3) QTest::keyClicks(dialog.findChild<QLineEdit*>("Text1"), "7");
      dialog.close();  // the close box
    });
    QCOMPARE(form_->controls().list3.ListCount(), 0);
  }

  // Presses (+) and releases (-) as an X server reports them: a modifier's
  // own press does not carry it yet; * marks an auto-repeat.
  void keyChords_data() {
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("line");
    QTest::newRow("Ctrl+V") << "+Ctrl +V -V" << u"按下按键 86 2"_s;
    QTest::newRow("Ctrl+Shift+S") << "+Ctrl +Shift +S -S" << u"按下按键 83 3"_s;
    QTest::newRow("Ctrl alone") << "+Ctrl -Ctrl" << u"按下按键 17 2"_s;
    QTest::newRow("Ctrl let go first") << "+Ctrl +V -Ctrl" << u"按下按键 86 2"_s;
    QTest::newRow("Enter") << "+Enter -Enter" << u"按下按键 13"_s;
    QTest::newRow("Esc") << "+Esc -Esc" << u"按下按键 27"_s;
    QTest::newRow("Tab") << "+Tab -Tab" << u"按下按键 9"_s;
    QTest::newRow("auto-repeat") << "+Ctrl -Ctrl* +Ctrl* +V -V" << u"按下按键 86 2"_s;
  }
  void keyChords() {
    QFETCH(QString, keys);
    QFETCH(QString, line);
    WithDialog(3, [&](QDialog& dialog) {
      auto* text = dialog.findChild<QLineEdit*>("Text1");
      Qt::KeyboardModifiers held;
      for (const QString& step : keys.split(' ')) {
        QVERIFY2(dialog.isVisible(), qPrintable("closed before " + step));
        SendKey(*text, step, held);
      }
      QVERIFY(!dialog.isVisible());
      QCOMPARE(u"按下按键 "_s + text->text(), line);  // the box showed the chord
    });
    QCOMPARE(ActionLines(*form_), QStringList{line});
  }

  // Typed text, then each way of confirming: "确定", Enter, keypad Enter.
  void textDialogs_data() {
    QTest::addColumn<int>("button");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("line");
    const std::pair<const char*, const char*> waits[] = {
        {"1.5", "1.5"}, {"-3", "-3"}, {"2秒", "2"}, {"1 0", "10"}, {"", "0"}};  // more in the number rules' unit test
    for (const auto& [typed, seconds] : waits) {
      QTest::addRow("wait %s", typed) << 4 << QString::fromUtf8(typed) << u"等候时长 "_s + QLatin1String(seconds);
    }
    for (const char* typed : {"你好", "a  b", " %i ", ""}) {
      QTest::addRow("insert %s", typed) << 5 << QString::fromUtf8(typed) << u"插入内容 "_s + QString::fromUtf8(typed);
    }
  }
  void textDialogs() {
    QFETCH(int, button);
    QFETCH(QString, typed);
    QFETCH(QString, line);
    for (int trigger = 0; trigger < 3; ++trigger) {
      form_->controls().list3.Clear();
      WithDialog(button, [&](QDialog& dialog) {
        auto* text = dialog.findChild<QLineEdit*>("Text1");
        Type(*text, typed);
        if (trigger == 0) QTest::mouseClick(dialog.findChild<QPushButton*>("Command5"), Qt::LeftButton);
        if (trigger == 1) QTest::keyClick(text, Qt::Key_Return);
        if (trigger == 2) QTest::keyClick(text, Qt::Key_Enter, Qt::KeypadModifier);
        QVERIFY(!dialog.isVisible());
      });
      QCOMPARE(ActionLines(*form_), QStringList{line});
    }
  }

  // A paste into the insert dialog keeps every character but the line
  // breaks, which would split the action in a file; a long one stays whole.
  void insertPasteKeepsOneLine_data() {
    QTest::addColumn<QString>("pasted");
    QTest::addColumn<QString>("kept");
    QTest::newRow("CR LF") << u"A行1\r\nB行2"_s << u"A行1B行2"_s;
    QTest::newRow("lone breaks") << u"\na\rb\n"_s << u"ab"_s;
    const QString longText = QString(40000, u'长');
    QTest::newRow("40,000 characters") << longText << longText;
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
    QCOMPARE(ActionLines(*form_), QStringList{u"插入内容 <"_s + kept + '>'});
  }

  // On a full action list every way of adding says so and adds nothing.
  void fullListSaysSo() {
    auto& actions = form_->controls().list3;
    for (int i = actions.ListCount(); i < tavorin::ListBox::kMaxListItems; ++i) actions.AddItem(u"复制内容");
    const auto confirm = [](QDialog& dialog) {
      if (auto* text = dialog.findChild<QLineEdit*>("Text1"); dialog.objectName() == "Form3") {
        QTest::keyClick(text, Qt::Key_F5);
      } else {
        QTest::keyClick(text, Qt::Key_Return);
      }
    };
    for (int button = 0; button < 6; ++button) {
      if (button == 2) continue;  // the picker: on Xvfb
      QStringList told;
      QTimer::singleShot(0, this, [&] {
        // After a dialog, its confirm shows the box; copy and paste show it at once.
        if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget()); button >= 3 && dialog) {
          QTimer::singleShot(0, this, [&] { told << CloseMessageBox(); });
          confirm(*dialog);
        } else {
          told << CloseMessageBox();
        }
      });
      ClickButton(button);
      QCOMPARE(told, QStringList{u"动作列表已满：列表最多容纳 32767 项，这一项未添加。"_s});
      QCOMPARE(actions.ListCount(), tavorin::ListBox::kMaxListItems);
    }
  }

  void otherKeysEditTheText() {
    WithDialog(4, [&](QDialog& dialog) {
      auto* text = dialog.findChild<QLineEdit*>("Text1");
      QTest::keyClicks(text, "12");
      for (Qt::Key key : {Qt::Key_Escape, Qt::Key_Backspace, Qt::Key_Tab}) QTest::keyClick(text, key);
      QCOMPARE(dialog.focusWidget()->objectName(), u"Command5"_s);
      QTest::keyClick(dialog.focusWidget(), Qt::Key_Return);
    });
    WithDialog(5, [&](QDialog& dialog) { QTest::keyClick(dialog.focusWidget(), Qt::Key_Return); });
    QCOMPARE(ActionLines(*form_), QStringList({u"等候时长 1"_s, u"插入内容 "_s}));
  }

 private:
  void ClickButton(int index) {
    QTest::mouseClick(form_->findChild<QPushButton*>(tavorin::ArrayName("Command6", index)),
                      Qt::LeftButton);
  }

  // Clicks the button and drives the modal dialog it opens; the click
  // returns when the dialog has closed. One left open is closed here.
  void WithDialog(int index, const std::function<void(QDialog&)>& drive) {
    bool driven = false;
    QTimer::singleShot(0, this, [&] {
      auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
      if (dialog == nullptr) return;
      driven = true;
      drive(*dialog);
      if (dialog->isVisible()) dialog->reject();
    });
    ClickButton(index);
    QVERIFY2(driven, "no modal dialog opened");
  }

  // The text of the message box open now, which is then closed.
  static QString CloseMessageBox() {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box == nullptr) return "no message box";
    const QString text = box->text();
    box->accept();
    return text;
  }

  static void SendKey(QWidget& widget, const QString& step, Qt::KeyboardModifiers& held) {
    static const QMap<QString, std::pair<Qt::Key, Qt::KeyboardModifier>> keys = {
        {"Ctrl", {Qt::Key_Control, Qt::ControlModifier}}, {"Shift", {Qt::Key_Shift, Qt::ShiftModifier}},
        {"V", {Qt::Key_V, {}}}, {"S", {Qt::Key_S, {}}}, {"Enter", {Qt::Key_Return, {}}},
        {"Esc", {Qt::Key_Escape, {}}}, {"Tab", {Qt::Key_Tab, {}}},
    };
    const bool press = step.startsWith('+');
    const bool repeat = step.endsWith('*');
    const auto [key, modifier] = keys.value(step.mid(1).remove('*'));
    QKeyEvent event(press ? QEvent::KeyPress : QEvent::KeyRelease, key, held, QString(), repeat);
    QApplication::sendEvent(&widget, &event);
    if (!repeat) held.setFlag(modifier, press);
  }

  // Key by key; characters without a key of their own come as text.
  static void Type(QWidget& widget, const QString& text) {
    for (const QChar c : text) {
      if (c.unicode() < 0x80) QTest::keyClick(&widget, c.toLatin1());
      else QTest::sendKeyEvent(QTest::Click, &widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
  }

  std::unique_ptr<Form1> form_;
};

QTEST_MAIN(EntryDialogsTest)
#include "entry_dialogs_test.moc"
