// The position picker and the key dialog on a real X server. Presses and
// keys come through XTest, as from a user; positions are X screen pixels.
// Also run with QT_SCALE_FACTOR=2, where Qt's coordinates are half of them.
#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QTimer>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QTest>

#include "qt_list_file_helpers.h"

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>
#include <memory>
#include <vector>

#include "core/actions/action_entry.h"
#include "qt/qt_action_entry_windows.h"
#include "qt/key_chord_dialog.h"
#include "qt/position_picker.h"
#include "qt/control_factory.h"
#include "qt/form1.h"

using tavorin::PositionPicker;
using tavorin::testing::ActionLines;
using namespace Qt::StringLiterals;

namespace {

// Something to recognise in a screen copy, away from the main window.
class Backdrop : public QWidget {
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::darkCyan);
    painter.fillRect(10, 10, 40, 30, Qt::red);
  }
};

QImage Comparable(const QPixmap& pixmap) { return pixmap.toImage().convertToFormat(QImage::Format_RGB32); }

PositionPicker* Picker() {
  for (QWidget* widget : QApplication::topLevelWidgets()) {
    if (widget->objectName() == "Form2") return static_cast<PositionPicker*>(widget);
  }
  return nullptr;
}

}  // namespace

class EntryXvfbTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    QCOMPARE(QGuiApplication::platformName(), u"xcb"_s);
    display_ = XOpenDisplay(nullptr);
    QVERIFY(display_ != nullptr);
    backdrop_.setGeometry(700, 100, 200, 150);
    backdrop_.show();
    QVERIFY(QTest::qWaitForWindowExposed(&backdrop_));
  }
  void cleanupTestCase() { XCloseDisplay(display_); }
  void init() {
    form_ = std::make_unique<tavorin::Form1>();
    form_->show();
    QVERIFY(QTest::qWaitForWindowExposed(form_.get()));
  }
  void cleanup() {
    delete Picker();  // left open only by a failure
    form_.reset();
  }

  void leftPressAppendsScreenPixels_data() {
    QTest::addColumn<QPoint>("pixel");
    QTest::newRow("top left") << QPoint(0, 0);
    QTest::newRow("odd inside") << QPoint(1001, 703);
    QTest::newRow("bottom right") << QPoint(1279, 1023);
  }
  void leftPressAppendsScreenPixels() {
    QFETCH(QPoint, pixel);
    QVERIFY(OpenByButton());
    QCOMPARE(QGuiApplication::overrideCursor()->shape(), Qt::CrossCursor);
    PressAt(pixel, Button1);
    PressAt(pixel, Button1);  // queued before the picker goes: adds nothing
    VerifyClosed();
    QCOMPARE(ActionLines(*form_), QStringList{u"点击位置 %1 %2"_s.arg(pixel.x()).arg(pixel.y())});
  }

  void otherButtonsAndEscOnlyClose_data() {
    QTest::addColumn<unsigned>("button");  // 0: keys
    QTest::newRow("right") << unsigned(Button3);
    QTest::newRow("middle") << unsigned(Button2);
    QTest::newRow("Esc") << 0u;
  }
  void otherButtonsAndEscOnlyClose() {
    QFETCH(unsigned, button);
    QVERIFY(OpenByButton());
    if (button != 0) {
      PressAt({300, 300}, button);
    } else {
      QVERIFY(QTest::qWaitForWindowActive(Picker()));
      for (KeySym key : {XK_a, XK_Return}) TapKey(key);
      QTest::qWait(100);
      QVERIFY(Picker() != nullptr && !form_->isVisible());  // other keys do nothing
      TapKey(XK_Escape);
    }
    VerifyClosed();
    QVERIFY(ActionLines(*form_).isEmpty());
  }

  // A pick on a full action list says so over the main window, back in
  // front, and adds nothing.
  void pickOnAFullListSaysSo() {
    auto& actions = form_->controls().list3;
    for (int i = 0; i < tavorin::ListBox::kMaxListItems; ++i) actions.AddItem(u"复制内容");
    QVERIFY(OpenByButton());
    QString told;
    QTimer closer;  // the box runs its own loop, inside the press
    connect(&closer, &QTimer::timeout, this, [&] {
      if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
        told = box->text();
        box->accept();
      }
    });
    closer.start(20);
    PressAt({10, 10}, Button1);
    VerifyClosed();
    QTRY_COMPARE(told, u"动作列表已满：列表最多容纳 32767 项，这一项未添加。"_s);
    QCOMPARE(actions.ListCount(), tavorin::ListBox::kMaxListItems);
  }

  // What a window manager sends for its close button or Alt+F4.
  void windowSystemCloseBringsMainWindowBack() {
    QVERIFY(OpenByButton());
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = static_cast<Window>(Picker()->winId());
    event.xclient.message_type = XInternAtom(display_, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(display_, "WM_DELETE_WINDOW", False));
    XSendEvent(display_, event.xclient.window, False, NoEventMask, &event);
    XSync(display_, False);
    VerifyClosed();
    QVERIFY(ActionLines(*form_).isEmpty());
  }

  // The picker copies the screen once and shows that copy where it was: the
  // screen with the picker over it looks as it did before.
  void frozenImageIsTheScreenBeforeOpening() {
    form_->hide();
    QTest::qWait(tavorin::kPickerSettleMs);
    QScreen* screen = QGuiApplication::primaryScreen();
    const QImage before = Comparable(screen->grabWindow(0));
    tavorin::OpenPositionPicker(*form_);
    QVERIFY(Picker() != nullptr);
    QCOMPARE(Picker()->FrozenImage().size(), QSize(1280, 1024));
    QVERIFY(Comparable(Picker()->FrozenImage()) == before);

    QVERIFY(QTest::qWaitForWindowExposed(Picker()));
    backdrop_.update();  // a repaint behind the picker must not show through
    QTest::qWait(200);
    QVERIFY2(Comparable(screen->grabWindow(0)) == before, "the picker does not show the copy as it was");
    PressAt({5, 5}, Button3);
    VerifyClosed();
  }

  // The key's code comes from the keysym X reports, so the chord replays as
  // the key pressed. Keys are let go in reverse order.
  void capturedChordReplaysTheSameKey_data() {
    QTest::addColumn<std::vector<KeySym>>("keys");
    QTest::addColumn<QString>("chord");
    QTest::newRow("Ctrl+V") << std::vector<KeySym>{XK_Control_L, XK_v} << "86 2";
    QTest::newRow("Shift+A") << std::vector<KeySym>{XK_Shift_L, XK_a} << "65 1";
    QTest::newRow("Shift+1") << std::vector<KeySym>{XK_Shift_L, XK_1} << "49 1";
    QTest::newRow("Shift+;") << std::vector<KeySym>{XK_Shift_L, XK_semicolon} << "186 1";
    QTest::newRow("right Ctrl") << std::vector<KeySym>{XK_Control_R} << "17 2";
    QTest::newRow("Alt+Tab") << std::vector<KeySym>{XK_Alt_L, XK_Tab} << "9 4";
    QTest::newRow("keypad Enter") << std::vector<KeySym>{XK_KP_Enter} << "13";
    QTest::newRow("F5") << std::vector<KeySym>{XK_F5} << "116";
    QTest::newRow("Menu") << std::vector<KeySym>{XK_Menu} << "93";
  }
  void capturedChordReplaysTheSameKey() {
    QFETCH(std::vector<KeySym>, keys);
    QFETCH(QString, chord);
    tavorin::KeyChordDialog dialog(*form_, form_->controls().list3);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    for (KeySym key : keys) Key(key, true);
    for (auto key = keys.rbegin(); key != keys.rend(); ++key) Key(*key, false);
    QTRY_VERIFY(!dialog.isVisible());
    QTest::qWait(50);  // releases still on their way must change nothing
    QCOMPARE(ActionLines(*form_), QStringList{u"按下按键 "_s + chord});
  }

  // A chord names the key, not the character it types: with Shift held,
  // every printable key of the US layout keeps its own code ("<" is the
  // comma key, 188), so the run presses the key the user pressed.
  void printableKeysKeepTheirCodeWithShift_data() {
    QTest::addColumn<KeySym>("key");
    QTest::addColumn<int>("code");
    QTest::addColumn<bool>("shift");
    std::vector<std::pair<KeySym, int>> keys{
        {XK_grave, 192},      {XK_minus, 189},        {XK_equal, 187},     {XK_bracketleft, 219},
        {XK_bracketright, 221}, {XK_backslash, 220},  {XK_semicolon, 186}, {XK_apostrophe, 222},
        {XK_comma, 188},      {XK_period, 190},       {XK_slash, 191},     {XK_space, 32}};
    for (KeySym k = XK_a; k <= XK_z; ++k) keys.emplace_back(k, int('A' + (k - XK_a)));
    for (KeySym k = XK_0; k <= XK_9; ++k) keys.emplace_back(k, int('0' + (k - XK_0)));
    for (const auto& [key, code] : keys) {
      for (bool shift : {false, true}) {
        const QByteArray name = QByteArray(XKeysymToString(key)) + (shift ? " with Shift" : "");
        QTest::newRow(name.constData()) << key << code << shift;
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
    if (shift) Key(XK_Shift_L, true);
    TapKey(key);
    if (shift) Key(XK_Shift_L, false);
    QTRY_VERIFY(!dialog.isVisible());
    QCOMPARE(ActionLines(*form_), QStringList{u"按下按键 %1%2"_s.arg(code).arg(shift ? " 1" : "")});
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

  void PressAt(QPoint pixel, unsigned button) {
    XTestFakeMotionEvent(display_, -1, pixel.x(), pixel.y(), CurrentTime);
    XTestFakeButtonEvent(display_, button, True, CurrentTime);
    XTestFakeButtonEvent(display_, button, False, CurrentTime);
    XSync(display_, False);
  }

  void Key(KeySym keysym, bool press) {
    XTestFakeKeyEvent(display_, XKeysymToKeycode(display_, keysym), press, CurrentTime);
    XSync(display_, False);
  }
  void TapKey(KeySym keysym) {
    Key(keysym, true);
    Key(keysym, false);
  }

  Display* display_ = nullptr;
  Backdrop backdrop_;
  std::unique_ptr<tavorin::Form1> form_;
};

QTEST_MAIN(EntryXvfbTest)
#include "entry_xvfb_test.moc"
