// Always-on-top on a real X server (Xvfb, no window manager). The test plays
// the window manager's part and watches the requests that a manager acts on.
#include <QApplication>
#include <QTest>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <algorithm>
#include <vector>

#include "qt/form1.h"
#include "core/interfaces/window_stacking.h"

using tavorin::Form1;

class WindowStackingTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    QCOMPARE(QGuiApplication::platformName(), QStringLiteral("xcb"));
    display_ = XOpenDisplay(nullptr);
    QVERIFY(display_ != nullptr);
    state_ = XInternAtom(display_, "_NET_WM_STATE", False);
    above_ = XInternAtom(display_, "_NET_WM_STATE_ABOVE", False);
  }
  void cleanupTestCase() { XCloseDisplay(display_); }

  // Before mapping, the state is a property; it must keep other states and
  // survive Qt's own mapping, which showing Form1 relies on.
  void unmappedWindowGetsStateProperty() {
    Form1 form;
    const auto window = static_cast<Window>(form.winId());
    const Atom skipPager = XInternAtom(display_, "_NET_WM_STATE_SKIP_PAGER", False);
    XChangeProperty(display_, window, state_, XA_ATOM, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(&skipPager), 1);
    XSync(display_, False);

    tavorin::SystemWindowStacking().MakeTopmost(form.winId());
    QCOMPARE(States(window), (std::vector<Atom>{skipPager, above_}));
    tavorin::SystemWindowStacking().MakeNotTopmost(form.winId());
    QCOMPARE(States(window), std::vector<Atom>{skipPager});
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QVERIFY(std::ranges::count(States(window), above_) == 1);
  }

  void mappedWindowAsksWithoutMoving() {
    Form1 form;
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QCOMPARE(form.frameGeometry().size(), QSize(328, 471));
    const QRect frame = form.frameGeometry();
    const WId id = form.winId();

    // Only one client may redirect the root's substructure: the manager.
    XSelectInput(display_, DefaultRootWindow(display_), SubstructureRedirectMask);
    XSync(display_, False);
    tavorin::SystemWindowStacking().MakeNotTopmost(form.winId());
    tavorin::SystemWindowStacking().MakeTopmost(form.winId());
    QCOMPARE(TakeRequests(), (std::vector<long>{long(id), 0, long(id), 1}));
    QCOMPARE(form.frameGeometry(), frame);
    QCOMPARE(form.winId(), id);
    QVERIFY(form.isVisible());

    QVERIFY(form.close());  // leaves the band, asks nothing
    QCOMPARE(TakeRequests(), (std::vector<long>{long(id), 0}));
    XSelectInput(display_, DefaultRootWindow(display_), NoEventMask);
  }

 private:
  // The procedures only flush; waiting on Qt's connection makes sure the
  // server has carried out their requests before this client looks.
  static void SyncQt() {
    XSync(qGuiApp->nativeInterface<QNativeInterface::QX11Application>()->display(), False);
  }

  std::vector<Atom> States(Window window) {
    SyncQt();
    Atom type;
    int format;
    unsigned long count, remaining;
    unsigned char* data = nullptr;
    XGetWindowProperty(display_, window, state_, 0, 64, False, XA_ATOM, &type, &format, &count,
                       &remaining, &data);
    std::vector<Atom> atoms;
    if (data != nullptr) {
      const auto* values = reinterpret_cast<const Atom*>(data);
      atoms.assign(values, values + count);
      XFree(data);
    }
    return atoms;
  }

  // Window and action (0 remove, 1 add) of every above-state request.
  std::vector<long> TakeRequests() {
    SyncQt();
    XSync(display_, False);
    std::vector<long> requests;
    while (XPending(display_) > 0) {
      XEvent event;
      XNextEvent(display_, &event);
      const XClientMessageEvent& message = event.xclient;
      if (event.type == ClientMessage && message.message_type == state_ &&
          Atom(message.data.l[1]) == above_) {
        requests.insert(requests.end(), {long(message.window), message.data.l[0]});
      }
    }
    return requests;
  }

  Display* display_ = nullptr;
  Atom state_ = None;
  Atom above_ = None;
};

QTEST_MAIN(WindowStackingTest)
#include "ui_window_stacking_test.moc"
