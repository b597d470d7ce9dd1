// Always-on-top on a real X server (Xvfb, no window manager). The test plays
// the window manager's part: it listens on the root window for the state
// requests that a manager would act on.
#include <QApplication>
#include <QTest>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <algorithm>
#include <vector>

#include "ui/form1.h"
#include "ui/window_stacking.h"

using tavorin::Form1;

namespace {

// The procedures only flush their requests; waiting for Qt's connection makes
// sure the server has carried them out before another client looks.
void SyncQtConnection() {
  XSync(qGuiApp->nativeInterface<QNativeInterface::QX11Application>()->display(), False);
}

struct StateRequest {
  Window window;
  long action;  // 0 remove, 1 add
  Atom property;
};

// A second connection standing in for the window manager.
class RootListener {
 public:
  RootListener() : display_(XOpenDisplay(nullptr)) {
    if (display_ == nullptr) return;
    XSelectInput(display_, DefaultRootWindow(display_), SubstructureRedirectMask);
    XSync(display_, False);
  }
  ~RootListener() {
    if (display_ != nullptr) XCloseDisplay(display_);
  }
  bool ok() const { return display_ != nullptr; }

  std::vector<StateRequest> Take() {
    SyncQtConnection();
    std::vector<StateRequest> requests;
    const Atom netWmState = XInternAtom(display_, "_NET_WM_STATE", False);
    XSync(display_, False);
    while (XPending(display_) > 0) {
      XEvent event;
      XNextEvent(display_, &event);
      if (event.type == ClientMessage && event.xclient.message_type == netWmState) {
        requests.push_back({event.xclient.window, event.xclient.data.l[0],
                            static_cast<Atom>(event.xclient.data.l[1])});
      }
    }
    return requests;
  }

 private:
  Display* display_;
};

std::vector<Atom> StateAtoms(Display* display, Window window) {
  SyncQtConnection();
  Atom type = None;
  int format = 0;
  unsigned long count = 0, remaining = 0;
  unsigned char* data = nullptr;
  std::vector<Atom> atoms;
  XGetWindowProperty(display, window, XInternAtom(display, "_NET_WM_STATE", False), 0, 64, False,
                     XA_ATOM, &type, &format, &count, &remaining, &data);
  if (data != nullptr) {
    const auto* values = reinterpret_cast<const Atom*>(data);
    atoms.assign(values, values + count);
    XFree(data);
  }
  return atoms;
}

bool Contains(const std::vector<Atom>& atoms, Atom atom) {
  return std::find(atoms.begin(), atoms.end(), atom) != atoms.end();
}

}  // namespace

class WindowStackingTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    QCOMPARE(QGuiApplication::platformName(), QStringLiteral("xcb"));
    display_ = XOpenDisplay(nullptr);
    QVERIFY(display_ != nullptr);
    above_ = XInternAtom(display_, "_NET_WM_STATE_ABOVE", False);
  }

  void cleanupTestCase() { XCloseDisplay(display_); }

  // Before the window is mapped the state is a property; it has to survive
  // Qt's own mapping, which is what showing Form1 relies on.
  void unmappedWindowGetsStateProperty() {
    Form1 form;
    const auto window = static_cast<Window>(form.winId());
    const Atom skipTaskbar = XInternAtom(display_, "_NET_WM_STATE_SKIP_PAGER", False);
    XChangeProperty(display_, window, XInternAtom(display_, "_NET_WM_STATE", False), XA_ATOM, 32,
                    PropModeReplace, reinterpret_cast<const unsigned char*>(&skipTaskbar), 1);
    XSync(display_, False);

    tavorin::MakeTopmost(&form);
    QVERIFY(Contains(StateAtoms(display_, window), above_));
    QVERIFY(Contains(StateAtoms(display_, window), skipTaskbar));
    tavorin::MakeNotTopmost(&form);
    QVERIFY(!Contains(StateAtoms(display_, window), above_));
    QVERIFY(Contains(StateAtoms(display_, window), skipTaskbar));

    form.show();  // MakeTopmost while still unmapped, then Qt maps
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QVERIFY(Contains(StateAtoms(display_, window), above_));
  }

  void mappedWindowAsksWithoutMoving() {
    Form1 form;
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QCOMPARE(form.frameGeometry().size(), QSize(328, 471));
    const QRect frame = form.frameGeometry();
    const WId id = form.winId();

    RootListener manager;
    QVERIFY(manager.ok());
    tavorin::MakeNotTopmost(&form);
    tavorin::MakeTopmost(&form);
    const std::vector<StateRequest> requests = manager.Take();
    QCOMPARE(requests.size(), size_t{2});
    QCOMPARE(requests[0].window, static_cast<Window>(id));
    QCOMPARE(requests[0].action, 0L);
    QCOMPARE(requests[0].property, above_);
    QCOMPARE(requests[1].action, 1L);
    QCOMPARE(requests[1].property, above_);

    QCOMPARE(form.frameGeometry(), frame);
    QCOMPARE(form.winId(), id);
    QVERIFY(form.isVisible());

    // Closing takes the window out of the band and asks nothing.
    QVERIFY(form.close());
    const std::vector<StateRequest> onClose = manager.Take();
    QCOMPARE(onClose.size(), size_t{1});
    QCOMPARE(onClose[0].action, 0L);
  }

 private:
  Display* display_ = nullptr;
  Atom above_ = None;
};

QTEST_MAIN(WindowStackingTest)
#include "ui_window_stacking_test.moc"
