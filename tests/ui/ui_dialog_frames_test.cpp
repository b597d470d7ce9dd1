// Under openbox, which ignores Qt's request to leave out the minimise
// button, no dialog of the program offers to minimise or maximise, and a
// request to minimise one does not take the main window away.
#include <QApplication>
#include <QDialog>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include "qt/dialog_frames.h"
#include "qt/form1.h"
#include "qt/form1_controls.h"
#include "qt/key_chord_dialog.h"
#include "qt/qt_file_dialogs.h"
#include "qt/qt_message_boxes.h"
#include "qt/text_entry_dialog.h"

using namespace Qt::StringLiterals;

class DialogFramesTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    QCOMPARE(QGuiApplication::platformName(), u"xcb"_s);
    display_ = XOpenDisplay(nullptr);
    QVERIFY(display_ != nullptr);
    QVERIFY2(!WindowProperty(DefaultRootWindow(display_), "_NET_SUPPORTING_WM_CHECK", XA_WINDOW).isEmpty(),
             "no window manager runs");
    tavorin::InstallDialogFrames(*qApp);
  }
  void cleanupTestCase() { XCloseDisplay(display_); }
  void init() {
    form_ = std::make_unique<tavorin::Form1>();
    form_->show();
    QVERIFY(QTest::qWaitForWindowExposed(form_.get()));
  }
  void cleanup() { form_.reset(); }

  void dialogsOfferNeitherMinimiseNorMaximise_data() {
    QTest::addColumn<int>("kind");
    QTest::newRow("key") << 0;
    QTest::newRow("wait") << 1;
    QTest::newRow("insert") << 2;
    QTest::newRow("Yes/No box") << 3;
    QTest::newRow("file dialog") << 4;
  }
  void dialogsOfferNeitherMinimiseNorMaximise() {
    QFETCH(int, kind);
    QStringList actions;
    bool mainWindowStayed = false;
    bool active = false;
    QTimer::singleShot(0, this, [&] {
      QWidget* dialog = nullptr;
      if (!QTest::qWaitFor([&] { return (dialog = QApplication::activeModalWidget()) != nullptr; }) ||
          !QTest::qWaitForWindowExposed(dialog)) {
        return;
      }
      active = QTest::qWaitForWindowActive(dialog);  // keys still reach it
      const auto window = static_cast<Window>(dialog->winId());
      if (QTest::qWaitFor([&] { return !(actions = AllowedActions(window)).isEmpty(); })) {
        RequestIconic(window);
        QTest::qWait(300);  // what the window manager does with it
        mainWindowStayed = form_->isVisible() && !form_->isMinimized() && Mapped(form_->winId());
      }
      static_cast<QDialog*>(dialog)->reject();
    });
    auto& actionList = form_->controls().list3;
    if (kind == 0) tavorin::KeyChordDialog(*form_, actionList).exec();
    if (kind == 1) tavorin::TextEntryDialog(*form_, actionList, tavorin::TextEntryDialog::Kind::kWait).exec();
    if (kind == 2) tavorin::TextEntryDialog(*form_, actionList, tavorin::TextEntryDialog::Kind::kInsert).exec();
    if (kind == 3) {
      tavorin::QtMessageBoxes(form_.get())
          .Show(u"?", u"提示", tavorin::MessageIcon::kInformation, tavorin::MessageButtons::kYesNo);
    }
    if (kind == 4) tavorin::QtFileDialogs::Of(*form_).AskOpenPath();
    QVERIFY2(actions.contains("_NET_WM_ACTION_CLOSE"), qPrintable(actions.join(' ')));
    for (const char* offered : {"_NET_WM_ACTION_MINIMIZE", "_NET_WM_ACTION_MAXIMIZE_HORZ",
                                "_NET_WM_ACTION_MAXIMIZE_VERT"}) {
      QVERIFY2(!actions.contains(offered), qPrintable(actions.join(' ')));
    }
    QVERIFY(active);
    QVERIFY(mainWindowStayed);
  }

 private:
  QList<unsigned long> WindowProperty(Window window, const char* name, Atom type) {
    QList<unsigned long> values;
    Atom actualType = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long remaining = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(display_, window, XInternAtom(display_, name, False), 0, 64, False, type,
                           &actualType, &format, &count, &remaining, &data) == Success && data != nullptr) {
      const auto* items = reinterpret_cast<const unsigned long*>(data);
      if (actualType == type && format == 32) values = QList<unsigned long>(items, items + count);
      XFree(data);
    }
    return values;
  }

  QStringList AllowedActions(Window window) {
    QStringList names;
    for (unsigned long atom : WindowProperty(window, "_NET_WM_ALLOWED_ACTIONS", XA_ATOM)) {
      char* name = XGetAtomName(display_, atom);
      names << QString::fromLatin1(name);
      XFree(name);
    }
    return names;
  }

  // What a task bar or a key binding sends to minimise a window.
  void RequestIconic(Window window) {
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display_, "WM_CHANGE_STATE", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = IconicState;
    XSendEvent(display_, DefaultRootWindow(display_), False,
               SubstructureRedirectMask | SubstructureNotifyMask, &event);
    XSync(display_, False);
  }

  bool Mapped(WId window) {
    XWindowAttributes attributes{};
    return XGetWindowAttributes(display_, static_cast<Window>(window), &attributes) != 0 &&
           attributes.map_state == IsViewable;
  }

  Display* display_ = nullptr;
  std::unique_ptr<tavorin::Form1> form_;
};

QTEST_MAIN(DialogFramesTest)
#include "ui_dialog_frames_test.moc"
