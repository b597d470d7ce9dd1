// The main window on a real X server without a window manager: the test
// plays the manager's part and watches the always-on-top requests a manager
// acts on. And the record editor where no program owns the clipboard or the
// primary selection: Qt's stock plain-text edit crashes on the empty data it
// gets there.
#include <QtWidgets>
#include <QtTest>
#include <algorithm>
#include <vector>

#include "core/interfaces/window_stacking.h"
#include "qt/form1.h"
#include "qt/record_text_edit.h"

#include "other_x_client.h"

using tavorin::Form1;

class XvfbTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    QCOMPARE(QGuiApplication::platformName(), QStringLiteral("xcb"));
    QVERIFY(x_.display() != nullptr);
  }

  // The window manager puts a mapped window on top or takes it from there
  // when asked; the window itself is neither moved nor made anew. (That it
  // is on top from load on is checked under openbox.)
  void mappedWindowAsksWithoutMoving() {
    Form1 form;
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    const QRect frame = form.frameGeometry();
    const WId id = form.winId();
    // Only one client may redirect the root's substructure: the manager.
    XSelectInput(x_.display(), x_.Root(), SubstructureRedirectMask);
    XSync(x_.display(), False);
    tavorin::SystemWindowStacking().MakeNotTopmost(form.winId());
    tavorin::SystemWindowStacking().MakeTopmost(form.winId());
    QCOMPARE(TakeRequests(), (std::vector<long>{long(id), 0, long(id), 1}));
    QCOMPARE(form.frameGeometry(), frame);
    QCOMPARE(form.winId(), id);
    QVERIFY(form.isVisible());
    QVERIFY(form.close());  // leaves the band, asks nothing
    QCOMPARE(TakeRequests(), (std::vector<long>{long(id), 0}));
    XSelectInput(x_.display(), x_.Root(), NoEventMask);
    XSync(x_.display(), False);
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
  // The procedures only flush; waiting on Qt's connection makes sure the
  // server has carried out their requests before this client looks.
  static void SyncQt() { XSync(qGuiApp->nativeInterface<QNativeInterface::QX11Application>()->display(), False); }

  // Window and action (0 remove, 1 add) of every above-state request.
  std::vector<long> TakeRequests() {
    SyncQt();
    XSync(x_.display(), False);
    std::vector<long> requests;
    while (XPending(x_.display()) > 0) {
      XEvent event;
      XNextEvent(x_.display(), &event);
      const XClientMessageEvent& message = event.xclient;
      if (event.type == ClientMessage && message.message_type == x_.Intern("_NET_WM_STATE") &&
          Atom(message.data.l[1]) == x_.Intern("_NET_WM_STATE_ABOVE")) {
        requests.insert(requests.end(), {long(message.window), message.data.l[0]});
      }
    }
    return requests;
  }

  tavorin::testing::OtherClient x_;
};

QTEST_MAIN(XvfbTest)
#include "ui_xvfb_test.moc"
