// Widgets on a real X server without a window manager: the position picker
// and the key dialog, with presses and keys through XTest, as from a user
// (positions are X screen pixels), and the record editor's paste where no
// program owns the clipboard. Also run with QT_SCALE_FACTOR=2, where Qt's
// coordinates are half of X's.
#include <QtWidgets>
#include <QtTest>
#include <memory>
#include <vector>

#include "qt_list_file_helpers.h"
#include "qt/control_factory.h"
#include "qt/key_chord_dialog.h"
#include "qt/position_picker.h"
#include "qt/record_text_edit.h"

namespace {

// Notes the keys the program receives.
class KeyLog : public QObject {
 public:
  QList<int> keys;
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::KeyPress) keys << static_cast<QKeyEvent*>(event)->key();
    return false;
  }
};

}  // namespace

#include "other_x_client.h"

using tavorin::PositionPicker;
using namespace Qt::StringLiterals;

namespace {

// Something to recognise in a screen copy, away from the main window; it
// counts its paints.
class Backdrop : public QWidget {
 public:
  int paints = 0;

 private:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::darkCyan);
    painter.fillRect(10, 10, 40, 30, Qt::red);
    ++paints;
  }
};

QImage ScreenImage() { return QGuiApplication::primaryScreen()->grabWindow(0).toImage().convertToFormat(QImage::Format_RGB32); }

PositionPicker* Picker() {
  for (QWidget* widget : QApplication::topLevelWidgets()) {
    if (widget->objectName() == "Form2") return static_cast<PositionPicker*>(widget);
  }
  return nullptr;
}

}  // namespace

class XvfbTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    QCOMPARE(QGuiApplication::platformName(), u"xcb"_s);
    QVERIFY(x_.display() != nullptr);
    backdrop_.setGeometry(700, 100, 200, 150);
    backdrop_.show();
    QVERIFY(QTest::qWaitForWindowExposed(&backdrop_));
    qApp->installEventFilter(&keysSeen_);
  }
  void init() {
    form_ = std::make_unique<tavorin::Form1>();
    form_->show();
    QVERIFY(QTest::qWaitForWindowExposed(form_.get()));
    keysSeen_.keys.clear();
  }
  void cleanup() {
    delete Picker();  // left open only by a failure
    form_.reset();
  }

  // A left press adds its position in screen pixels; other buttons, Esc and
  // the window system's close (a window manager's close button or Alt+F4)
  // only close the picker; other keys do nothing.
  void pickerCloses_data() {
    QTest::addColumn<unsigned>("button");  // 0: keys, 9: close request
    QTest::addColumn<QPoint>("pixel");
    QTest::newRow("left, top left") << unsigned(Button1) << QPoint(0, 0);
    QTest::newRow("left, odd inside") << unsigned(Button1) << QPoint(1001, 703);
    QTest::newRow("left, bottom right") << unsigned(Button1) << QPoint(1279, 1023);
    QTest::newRow("right") << unsigned(Button3) << QPoint(300, 300);
    QTest::newRow("middle") << unsigned(Button2) << QPoint(300, 300);
    QTest::newRow("Esc") << 0u << QPoint();
    QTest::newRow("window system close") << 9u << QPoint();
  }
  void pickerCloses() {
    QFETCH(unsigned, button);
    QFETCH(QPoint, pixel);
    QVERIFY(OpenByButton());
    QCOMPARE(QGuiApplication::overrideCursor()->shape(), Qt::CrossCursor);
    if (button == 9) {
      x_.RequestClose(Picker()->winId());
    } else if (button != 0) {
      x_.ClickAt(pixel.x(), pixel.y(), button);
      x_.ClickAt(pixel.x(), pixel.y(), button);  // queued before the picker goes: adds nothing
    } else {
      QVERIFY(QTest::qWaitForWindowActive(Picker()));
      for (KeySym key : {XK_a, XK_Return}) x_.TapKey(key);
      QTRY_VERIFY(keysSeen_.keys.contains(Qt::Key_Return));
      QVERIFY(Picker() != nullptr && !form_->isVisible());
      x_.TapEscape();
    }
    VerifyClosed();
    QCOMPARE(Lines(), button == Button1 ? QStringList{u"点击位置 %1 %2"_s.arg(pixel.x()).arg(pixel.y())} : QStringList{});
  }

  // A pick on a full action list says so over the main window, back in
  // front, and adds nothing.
  void pickOnAFullListSaysSo() {
    auto& actions = form_->controls().list3;
    for (int i = 0; i < tavorin::ListBox::kMaxListItems; ++i) actions.AddItem(u"复制内容");
    QVERIFY(OpenByButton());
    QString told;
    tavorin::testing::NoteNextBox(told);  // the box runs its own loop, inside the press
    x_.ClickAt(10, 10, Button1);
    VerifyClosed();
    QTRY_COMPARE(told, u"动作列表已满：列表最多容纳 32767 项，这一项未添加。"_s);
    QCOMPARE(actions.ListCount(), tavorin::ListBox::kMaxListItems);
  }

  // The picker copies the screen once and shows that copy where it was: the
  // screen with the picker over it looks as it did before.
  void frozenImageIsTheScreenBeforeOpening() {
    form_->hide();
    QImage before;  // once the main window has gone and the screen is still
    QVERIFY(QTest::qWaitFor([&] {
      const QImage now = ScreenImage();
      const bool still = now == before;
      before = now;
      return still && !x_.Viewable(form_->winId());
    }));
    tavorin::OpenPositionPicker(*form_);
    QVERIFY(Picker() != nullptr);
    QCOMPARE(Picker()->FrozenImage().size(), QSize(1280, 1024));
    QVERIFY(Picker()->FrozenImage().toImage().convertToFormat(QImage::Format_RGB32) == before);
    QVERIFY(QTest::qWaitForWindowExposed(Picker()));
    const int paints = backdrop_.paints;
    backdrop_.update();  // a repaint behind the picker must not show through
    QTRY_VERIFY(backdrop_.paints > paints);
    XSync(qGuiApp->nativeInterface<QNativeInterface::QX11Application>()->display(), False);
    QVERIFY2(ScreenImage() == before, "the picker does not show the copy as it was");
    x_.ClickAt(5, 5, Button3);
    VerifyClosed();
  }

  // The key's code comes from the keysym X reports, so the chord replays as
  // the key pressed. Keys are let go in reverse order.
  void capturedChordReplaysTheSameKey_data() {
    QTest::addColumn<std::vector<KeySym>>("keys");
    QTest::addColumn<QString>("chord");
    QTest::newRow("Ctrl+V") << std::vector<KeySym>{XK_Control_L, XK_v} << "86 2";
    QTest::newRow("Ctrl+Shift+S") << std::vector<KeySym>{XK_Control_L, XK_Shift_L, XK_s} << "83 3";
    QTest::newRow("Shift+;") << std::vector<KeySym>{XK_Shift_L, XK_semicolon} << "186 1";
    QTest::newRow("right Ctrl") << std::vector<KeySym>{XK_Control_R} << "17 2";
    QTest::newRow("Alt+Tab") << std::vector<KeySym>{XK_Alt_L, XK_Tab} << "9 4";
    QTest::newRow("Enter") << std::vector<KeySym>{XK_Return} << "13";
    QTest::newRow("keypad Enter") << std::vector<KeySym>{XK_KP_Enter} << "13";
    QTest::newRow("Esc") << std::vector<KeySym>{XK_Escape} << "27";
    QTest::newRow("Tab") << std::vector<KeySym>{XK_Tab} << "9";
    QTest::newRow("F5") << std::vector<KeySym>{XK_F5} << "116";
    QTest::newRow("Menu") << std::vector<KeySym>{XK_Menu} << "93";
  }
  void capturedChordReplaysTheSameKey() {
    QFETCH(std::vector<KeySym>, keys);
    QFETCH(QString, chord);
    tavorin::KeyChordDialog dialog(*form_, form_->controls().list3);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    for (KeySym key : keys) x_.Key(key, true);
    for (auto key = keys.rbegin(); key != keys.rend(); ++key) x_.Key(*key, false);
    QTRY_VERIFY(!dialog.isVisible());
    QCOMPARE(Lines(), QStringList{u"按下按键 "_s + chord});
  }

  // A chord names the key, not the character it types: with Shift held,
  // every printable key of the US layout keeps its own code ("<" is the
  // comma key, 188), so the run presses the key the user pressed.
  void printableKeysKeepTheirCodeWithShift_data() {
    QTest::addColumn<KeySym>("key");
    QTest::addColumn<int>("code");
    QTest::addColumn<bool>("shift");
    std::vector<std::pair<KeySym, int>> keys{
        {XK_grave, 192},        {XK_minus, 189},       {XK_equal, 187},     {XK_bracketleft, 219},
        {XK_bracketright, 221}, {XK_backslash, 220},   {XK_semicolon, 186}, {XK_apostrophe, 222},
        {XK_comma, 188},        {XK_period, 190},      {XK_slash, 191},     {XK_space, 32}};
    for (KeySym k = XK_a; k <= XK_z; ++k) keys.emplace_back(k, int('A' + (k - XK_a)));
    for (KeySym k = XK_0; k <= XK_9; ++k) keys.emplace_back(k, int('0' + (k - XK_0)));
    for (const auto& [key, code] : keys) {
      for (bool shift : {false, true}) {
        QTest::addRow("%s%s", XKeysymToString(key), shift ? " with Shift" : "") << key << code << shift;
      }
    }
  }
  void printableKeysKeepTheirCodeWithShift() {
    QFETCH(KeySym, key);
    QFETCH(int, code);
    QFETCH(bool, shift);
    tavorin::KeyChordDialog dialog(*form_, form_->controls().list3);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    if (shift) x_.Key(XK_Shift_L, true);
    x_.TapKey(key);
    if (shift) x_.Key(XK_Shift_L, false);
    QTRY_VERIFY(!dialog.isVisible());
    QCOMPARE(Lines(), QStringList{u"按下按键 %1%2"_s.arg(code).arg(shift ? " 1" : "")});
  }

  void editorPasteWithoutClipboardOwnerKeepsTheText() {
    tavorin::RecordTextEdit editor;
    editor.setPlainText("kept");
    editor.show();
    QVERIFY(QTest::qWaitForWindowExposed(&editor));
    QTest::keyClick(&editor, Qt::Key_V, Qt::ControlModifier);
    QTest::mouseClick(editor.viewport(), Qt::MiddleButton);
    QCOMPARE(editor.toPlainText(), QString("kept"));
    editor.clear();
    QGuiApplication::clipboard()->setText("a\r\nb");  // a paste of text still works
    QTest::keyClick(&editor, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(editor.toPlainText(), QString("a\nb"));
  }

 private:
  bool OpenByButton() {
    QTest::mouseClick(form_->findChild<QPushButton*>(tavorin::ArrayName("Command6", 2)), Qt::LeftButton);
    return !form_->isVisible() && QTest::qWaitFor([] { return Picker() && Picker()->isVisible(); }) &&
           QTest::qWaitForWindowExposed(Picker());
  }
  void VerifyClosed() {
    QTRY_VERIFY(Picker() == nullptr);
    QVERIFY(form_->isVisible());
    QVERIFY(QGuiApplication::overrideCursor() == nullptr);
  }
  QStringList Lines() const { return tavorin::testing::ActionLines(*form_); }

  tavorin::testing::OtherClient x_;
  Backdrop backdrop_;
  std::unique_ptr<tavorin::Form1> form_;
  KeyLog keysSeen_;
};

QTEST_MAIN(XvfbTest)
#include "ui_xvfb_test.moc"
