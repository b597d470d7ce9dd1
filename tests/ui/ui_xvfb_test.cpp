// Widgets on a real X server: without a window manager, the position picker
// and the key dialog, with presses and keys through XTest, as from a user
// (positions are X screen pixels); under openbox, the dialogs' frames and
// language. The picker is also tried with QT_SCALE_FACTOR=2, where Qt's
// coordinates are half of X's. The build runs each group on its own server.
#include <QtWidgets>
#include <QtTest>
#include <memory>
#include <tuple>
#include <vector>

#include "qt_list_and_modal_helpers.h"
#include "qt/form1_controls.h"
#include "qt/control_factory.h"
#include "qt/dialog_frames.h"
#include "qt/key_chord_dialog.h"
#include "qt/position_picker.h"
#include "qt/qt_file_dialogs.h"
#include "qt/qt_message_boxes.h"
#include "qt/qt_translation.h"
#include "core/actions/screen_wait_line.h"
#include "platform/x11/x11_screen_area.h"
#include "qt/text_entry_dialog.h"
#include "other_x_client.h"

using tavorin::PositionPicker;
using Kind = tavorin::TextEntryDialog::Kind;
using namespace Qt::StringLiterals;

namespace {

QImage ScreenImage() {
  return QGuiApplication::primaryScreen()->grabWindow(0).toImage().convertToFormat(QImage::Format_RGB32);
}

PositionPicker* Picker() { return tavorin::testing::TopLevel<PositionPicker>(); }

// The screen but for the picker's hint, which is all it adds to the copy.
QImage WithoutHint(QImage image) {
  const qreal ratio = Picker()->devicePixelRatio();
  const QRectF hint = Picker()->HintArea().toRectF();
  image.setDevicePixelRatio(1);  // painted in screen pixels
  QPainter(&image).fillRect(QRectF(hint.topLeft() * ratio, hint.size() * ratio), Qt::magenta);
  return image;
}

// Qt's own dialogs, after the action buttons (Command6(0) to (5)).
constexpr int kYesNoBox = 6, kFileDialog = 7;

}  // namespace

class XvfbTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    QCOMPARE(QGuiApplication::platformName(), u"xcb"_s);
    QVERIFY(x_.display() != nullptr);
    QVERIFY2(tavorin::InstallQtTranslation(*qApp), "Qt's Chinese translation is not installed");
    tavorin::InstallDialogFrames(*qApp);
  }
  void init() {
    form_ = std::make_unique<tavorin::Form1>();
    form_->show();
    QVERIFY(QTest::qWaitForWindowExposed(form_.get()));
  }
  void cleanup() {
    delete Picker();  // left open only by a failure
    form_.reset();
  }

  // A left press adds its position in screen pixels; other buttons, Esc and
  // the window system's close (a window manager's close button or Alt+F4)
  // only close the picker.
  void pickerCloses() {
    // A button and where it is pressed; 0 is Esc and 9 a close request.
    const std::pair<unsigned, QPoint> ways[] = {{Button1, {0, 0}},     {Button1, {1001, 703}}, {Button1, {1279, 1023}},
                                                {Button3, {300, 300}}, {0, {}},                {9, {}}};
    QStringList added;
    for (const auto& [button, pixel] : ways) {
      QVERIFY(OpenByButton());
      QCOMPARE(QGuiApplication::overrideCursor()->shape(), Qt::CrossCursor);
      if (button == 9) {
        x_.RequestClose(Picker()->winId());
      } else if (button != 0) {
        x_.ClickAt(pixel.x(), pixel.y(), button);
        x_.ClickAt(pixel.x(), pixel.y(), button);  // queued before the picker goes: adds nothing
      } else {
        QVERIFY(QTest::qWaitForWindowActive(Picker()));
        x_.Tap(XK_Escape);
      }
      VerifyClosed();
      if (button == Button1) added << u"点击位置 %1 %2"_s.arg(pixel.x()).arg(pixel.y());
      QCOMPARE(Lines(), added);
    }
  }

  // A drag adds a wait for the rectangle from the pressed to the released
  // pixel, in screen pixels, holding the frozen copy's look of it: what a
  // run reads there through X. The picker copies the screen once and shows
  // that copy where it was: the screen with the picker over it looks as it
  // did before. A pick on a full action list says so over the main window,
  // back in front, and adds nothing.
  void pickerDragsAScreenWaitShowsTheScreenAsItWasAndAFullListSaysSo() {
    const QPoint from = form_->geometry().center() * form_->devicePixelRatio(), to = from + QPoint(150, 90);
    const tavorin::ScreenRect area{from.x(), from.y(), 151, 91};
    form_->setStyleSheet(u"background: darkcyan"_s);  // a colour, for the copy to show in its channels
    QTRY_VERIFY(std::ranges::count(tavorin::ReadRootArea(x_.display(), area), 0x008B8B) > 0);
    tavorin::OpenPositionPicker(*form_);
    QVERIFY(Picker() != nullptr && QTest::qWaitForWindowExposed(Picker()));
    const auto line =
        QString::fromStdU16String(tavorin::ScreenWaitLine(area, tavorin::ReadRootArea(x_.display(), area)));
    const QString drag = u"mousemove %1 %2 mousedown 1 mousemove %3 %4 mousemove %5 %6 mouseup 1"_s;
    QCOMPARE(QProcess::execute(u"xdotool"_s, drag.arg(to.x()).arg(to.y()).arg(to.x() - 75).arg(to.y() - 45)
                                                 .arg(from.x()).arg(from.y()).split(' ')), 0);
    VerifyClosed();
    QCOMPARE(Lines(), QStringList{line});

    QWidget backdrop;  // something to recognise in the copy, away from the main window
    backdrop.setAutoFillBackground(true);
    backdrop.setPalette(QPalette(Qt::darkCyan));
    backdrop.setGeometry(700, 100, 200, 150);
    backdrop.show();
    form_->hide();
    QImage before;  // once the main window has gone and the screen is still
    QVERIFY(QTest::qWaitFor([&] {
      const QImage now = ScreenImage();
      const bool still = now == before;
      before = now;
      return still && !x_.Viewable(form_->winId());
    }));
    auto& actions = form_->controls().list3;
    for (int i = actions.ListCount(); i < tavorin::ListBox::kMaxListItems; ++i) actions.AddItem(u"复制内容");
    tavorin::OpenPositionPicker(*form_);
    QVERIFY(Picker() != nullptr && QTest::qWaitForWindowExposed(Picker()));
    QTRY_VERIFY2(WithoutHint(ScreenImage()) == WithoutHint(before), "the picker does not show the copy as it was");
    QString told;  // the box runs its own loop, inside the press
    tavorin::testing::OnNextModal<QMessageBox>([&told](QMessageBox& box) { told = box.text(); });
    x_.ClickAt(10, 10, Button1);
    VerifyClosed();
    QTRY_COMPARE(told, u"动作列表已满：列表最多容纳 32767 项，这一项未添加。"_s);
    QCOMPARE(actions.ListCount(), tavorin::ListBox::kMaxListItems);
  }

  // The key's code comes from the key X reports, so the chord replays as
  // the key pressed; keys are let go in reverse order. A chord names the
  // key, not the character it types: with Shift held, every printable key
  // of the US layout keeps its own code ("<" is the comma key, 188).
  void capturedChordReplaysTheSameKey() {
    std::vector<std::tuple<const char*, std::vector<KeySym>, QString>> chords = {
        {"Ctrl+V", {XK_Control_L, XK_v}, u"86 2"_s}, {"Ctrl+Shift+S", {XK_Control_L, XK_Shift_L, XK_s}, u"83 3"_s},
        {"right Ctrl", {XK_Control_R}, u"17 2"_s}, {"Alt+Tab", {XK_Alt_L, XK_Tab}, u"9 4"_s},
        {"Shift+Tab", {XK_Shift_L, XK_Tab}, u"9 1"_s}, {"Enter", {XK_Return}, u"13"_s},
        {"keypad Enter", {XK_KP_Enter}, u"13"_s}, {"keypad 7 without Num Lock", {XK_KP_Home}, u"36"_s},
        {"Esc", {XK_Escape}, u"27"_s}, {"Tab", {XK_Tab}, u"9"_s}, {"F5", {XK_F5}, u"116"_s}, {"Menu", {XK_Menu}, u"93"_s}};
    std::vector<std::pair<KeySym, int>> printable{
        {XK_grave, 192},        {XK_minus, 189},       {XK_equal, 187},     {XK_bracketleft, 219},
        {XK_bracketright, 221}, {XK_backslash, 220},   {XK_semicolon, 186}, {XK_apostrophe, 222},
        {XK_comma, 188},        {XK_period, 190},      {XK_slash, 191},     {XK_space, 32}};
    for (KeySym k = XK_a; k <= XK_z; ++k) printable.emplace_back(k, int('A' + (k - XK_a)));
    for (KeySym k = XK_0; k <= XK_9; ++k) printable.emplace_back(k, int('0' + (k - XK_0)));
    for (const auto& [key, code] : printable) {
      chords.emplace_back(XKeysymToString(key), std::vector<KeySym>{key}, QString::number(code));
      chords.emplace_back("Shift+", std::vector<KeySym>{XK_Shift_L, key}, u"%1 1"_s.arg(code));
    }
    for (const auto& [name, keys, chord] : chords) {
      form_->controls().list3.Clear();
      tavorin::KeyChordDialog dialog(*form_, form_->controls().list3);
      dialog.show();
      QVERIFY2(QTest::qWaitForWindowActive(&dialog), name);
      for (KeySym key : keys) x_.Key(key, true);
      for (auto key = keys.rbegin(); key != keys.rend(); ++key) x_.Key(*key, false);
      QTRY_VERIFY2(!dialog.isVisible(), name);
      QCOMPARE(Lines(), QStringList{u"按下按键 "_s + chord});
    }
  }

  // A keypad whose separator key types KP_Separator (a free key code bound
  // to it, as such a keymap has it) confirms the wait and insert dialogs, as
  // it adds a record in the editor, and leaves no "," behind.
  void separatorKeyConfirmsTheTextDialogs() {
    QVERIFY2(x_.BindSpareKey(XK_KP_Separator), "no free key code");
    const std::pair<Kind, std::vector<KeySym>> dialogs[] = {{Kind::kWait, {XK_2}}, {Kind::kInsert, {XK_a, XK_b, XK_c}}};
    for (const auto& [kind, typed] : dialogs) {
      tavorin::TextEntryDialog dialog(*form_, form_->controls().list3, kind);
      dialog.show();
      QVERIFY(QTest::qWaitForWindowActive(&dialog));
      dialog.findChild<QLineEdit*>("Text1")->setFocus();  // the insert dialog starts on its button
      for (KeySym key : typed) x_.Tap(key);
      x_.Tap(XK_KP_Separator);
      QTRY_VERIFY(!dialog.isVisible());
    }
    QCOMPARE(Lines(), QStringList({u"等候时长 2"_s, u"插入内容 abc"_s}));
  }

  // Openbox ignores Qt's request to leave out the minimise button. Each
  // dialog shows its caption, none offers to minimise or maximise, a request
  // to minimise one does not take the main window away, and Qt's own
  // dialogs (a file dialog, its type of a folder too, a Yes/No box) speak
  // Chinese.
  void dialogsCannotBeMinimisedAndSpeakChinese() {
    // The action button that opens the dialog, or a Qt dialog, and its caption.
    const std::pair<int, QString> dialogs[] = {{3, u"按下按键。。。"_s}, {4, u"等候（秒）："_s}, {5, u"插入内容："_s},
                                               {kYesNoBox, u"提示"_s}, {kFileDialog, u"导入"_s}};
    for (const auto& [kind, caption] : dialogs) {
      QStringList actions, texts;
      QString title;
      bool active = false, mainWindowStayed = false;
      tavorin::testing::OnNextModal([&](QDialog& dialog) {
        active = QTest::qWaitForWindowExposed(&dialog) && QTest::qWaitForWindowActive(&dialog);  // keys reach it
        const auto window = static_cast<Window>(dialog.winId());
        if (!QTest::qWaitFor([&] { return !(actions = x_.AtomNames(window, "_NET_WM_ALLOWED_ACTIONS")).isEmpty(); })) return;
        for (QWidget* shown : dialog.findChildren<QWidget*>()) {  // its visible buttons and labels
          const bool captioned = shown->inherits("QAbstractButton") || shown->inherits("QLabel");
          if (captioned && shown->isVisible()) texts << shown->property("text").toString();
        }
        texts.removeAll(QString());
        if (auto* files = dialog.findChild<QFileSystemModel*>()) texts << files->type(files->index(QDir::tempPath()));
        title = dialog.windowTitle();
        // The manager takes requests in order: once it has put the dialog
        // above, it has dealt with the minimise request sent before.
        x_.RequestIconic(window);
        x_.MakeAbove(window);
        QTest::qWaitFor([&] { return x_.IsAbove(window); });
        mainWindowStayed = form_->isVisible() && !form_->isMinimized() && x_.Viewable(form_->winId());
      });
      if (kind == kYesNoBox) {
        tavorin::QtMessageBoxes(form_.get())
            .Show(u"确定要启动吗？", u"提示", tavorin::MessageIcon::kInformation, tavorin::MessageButtons::kYesNo);
      } else if (kind == kFileDialog) {
        tavorin::QtFileDialogs::Of(*form_).AskOpenPath();
      } else {
        QTest::mouseClick(form_->findChild<QPushButton*>(tavorin::ArrayName("Command6", kind)), Qt::LeftButton);
      }
      const QStringList offered = actions.filter(QRegularExpression(u"_(MINIMIZE|MAXIMIZE_HORZ|MAXIMIZE_VERT|CLOSE)$"_s));
      QCOMPARE(offered, QStringList{u"_NET_WM_ACTION_CLOSE"_s});
      QVERIFY2(active && mainWindowStayed, "the dialog has no keyboard, or the main window went");
      QCOMPARE(title, caption);
      // Every button and label of a Qt dialog holds Chinese; the program's
      // own show their captions only, checked with the controls.
      if (kind < kYesNoBox) continue;
      QVERIFY2(!texts.isEmpty(), "no button or label is shown");
      for (const QString& text : texts) QVERIFY2(text.contains(QRegularExpression(u"\\p{Han}"_s)), qPrintable(text));
    }
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
  std::unique_ptr<tavorin::Form1> form_;
};

QTEST_MAIN(XvfbTest)
#include "ui_xvfb_test.moc"
