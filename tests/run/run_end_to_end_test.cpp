// Runs started with "启动" on the real main window, with the real X11 input
// layer, against a text field in another process on an X display.

#include <QApplication>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <cstdio>

#include "form_run_test.h"

// Last: Xlib's macros (None among them) break the gtest headers.
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

namespace tavorin {
namespace {

using testing::ReadUtf8;
using RunEndToEndTest = testing::FormRunTest;

TEST_F(RunEndToEndTest, EveryCheckedRecordArrivesInListOrderWithItsPassNumber) {
  Records({QStringLiteral("第%i条：甲"), QStringLiteral("不选%i"), QStringLiteral("乙 %i"), QStringLiteral("Ω%i%i")},
          {true, false, true, true});
  Actions({clickLine_, QStringLiteral("复制内容"), QStringLiteral("粘贴内容"), QStringLiteral("按下按键 13")});
  Start();
  EXPECT_EQ(WaitForText(QStringLiteral("第1条：甲\n乙 2\nΩ33\n")), QStringLiteral("第1条：甲\n乙 2\nΩ33\n"));
  EXPECT_EQ(form_.controls().text3.Text(), u"3");
  EXPECT_TRUE(form_.isVisible());
  ASSERT_FALSE(boxes_.texts.isEmpty());
  EXPECT_TRUE(boxes_.texts[0].contains(QStringLiteral("执行期间按 Esc 键可以停止。")));
}

TEST_F(RunEndToEndTest, CooldownFollowsTheRefreshKeyAfterEveryPass) {
  Records({QStringLiteral("a%i")}, {true});
  Actions({clickLine_, QStringLiteral("复制内容"), QStringLiteral("粘贴内容")});
  form_.controls().text3.SetText(u"2");
  form_.controls().text4.SetText(u"1");
  form_.findChild<QRadioButton*>(QStringLiteral("Option1(0)"))->setChecked(true);
  const qint64 elapsed = Start();
  EXPECT_EQ(WaitForText(QStringLiteral("a1a2")), QStringLiteral("a1a2"));
  const QStringList events = ReadUtf8(output_ + QStringLiteral(".events")).split('\n');
  EXPECT_EQ(events.count(QStringLiteral("key F5")), 2) << events.join(' ').toStdString();
  // Two passes of click, copy and paste (300 ms), F5 (50 ms) and 1 s.
  EXPECT_GE(elapsed, 2 * 1350);
  EXPECT_LT(elapsed, 2 * 1350 + 3000);
}

TEST_F(RunEndToEndTest, EscStopsARunWithinATenthOfASecondAndReleasesEverything) {
  Records({QStringLiteral("x")}, {true});
  // The run's own Esc each pass must not stop it.
  Actions({clickLine_, QStringLiteral("复制内容"), QStringLiteral("粘贴内容"), QStringLiteral("按下按键 27"),
           QStringLiteral("等候时长 0.3")});
  form_.controls().text3.SetText(u"20");

  Display* display = XOpenDisplay(nullptr);
  ASSERT_NE(display, nullptr);
  const KeyCode escape = XKeysymToKeycode(display, XK_Escape);
  QElapsedTimer sincePress;
  qint64 backAfter = -1;  // from the press until the window is back
  QTimer watch;
  QObject::connect(&watch, &QTimer::timeout, [&] {
    if (sincePress.isValid() && backAfter < 0 && form_.isVisible()) backAfter = sincePress.elapsed();
  });
  watch.start(2);
  // Fires inside the run's pauses, which keep the event loop turning.
  QTimer::singleShot(2500, [&] {
    XTestFakeKeyEvent(display, escape, True, CurrentTime);
    XSync(display, False);
    sincePress.start();
    QTimer::singleShot(80, [&] {
      XTestFakeKeyEvent(display, escape, False, CurrentTime);
      XSync(display, False);
    });
  });
  Start();
  ASSERT_TRUE(sincePress.isValid()) << "the run ended before the Esc was pressed";
  EXPECT_GE(backAfter, 0);
  EXPECT_LT(backAfter, 100) << "the run went on after Esc";
  std::printf("window back %lld ms after Esc\n", static_cast<long long>(backAfter));

  const QString received = WaitForText(QStringLiteral("-"));
  const qsizetype passes = received.count('x');
  EXPECT_GE(passes, 3) << "the run's own Esc stopped it";
  EXPECT_LT(passes, 20);
  ASSERT_EQ(boxes_.texts.size(), 2);
  // A pass stopped after its paste delivered its record but is not complete.
  EXPECT_TRUE(boxes_.texts[1] == QStringLiteral("执行已停止：已完成 %1 次，共 20 次。").arg(passes) ||
              boxes_.texts[1] == QStringLiteral("执行已停止：已完成 %1 次，共 20 次。").arg(passes - 1))
      << boxes_.texts[1].toStdString() << " after " << passes << " records";
  EXPECT_TRUE(form_.isVisible());

  // Nothing stays pressed, and nothing more arrives.
  QTest::qWait(800);
  EXPECT_EQ(ReadUtf8(output_).count('x'), passes);
  char keys[32];
  XQueryKeymap(display, keys);
  for (int code = 0; code < 256; ++code) {
    EXPECT_FALSE(keys[code / 8] & (1 << (code % 8))) << "keycode " << code << " is still down";
  }
  XCloseDisplay(display);
}

}  // namespace
}  // namespace tavorin

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
