// What keeps a long run's input on the desktop, against the sample form in
// another process: runs started with "启动" stop for a screen locker, keep
// the screen awake, and on Wayland stop short of a window they cannot fill.

#include "form_run_test.h"

// Last: Xlib's macros break the gtest and Qt headers.
#include <X11/extensions/scrnsaver.h>

namespace tavorin {
namespace {

using namespace Qt::StringLiterals;
using testing::ReadUtf8;

using X11WatchTest = testing::FormRunTest;

// A locker grabs keyboard and pointer once the third record is in the form,
// while the run waits: the run stops before its next input, which would go
// to the locker, and says why and how far it got. Once the locker has gone,
// a run fills the form again. Then, with the server's saver due after 2 s
// idle, it never starts during a run's 10 s pause, and starts within 5 s
// once that run is over, here by Esc. Each run inhibited the desktop's
// saver and gave it back, however it ended.
TEST_F(X11WatchTest, ALockerStopsTheRunBeforeItsNextInputAndRunsKeepTheSaversOffUntilTheyEnd) {
  // The calls the stand-in saver service (with_private_session_bus.sh) got
  // during this test.
  const qsizetype callsBefore = ReadUtf8(qEnvironmentVariable("TAVORIN_SCREENSAVER_LOG")).size();
  const auto saverCalls = [&] { return ReadUtf8(qEnvironmentVariable("TAVORIN_SCREENSAVER_LOG")).mid(callsBefore); };
  Records({u"x"_s}, {true});
  Actions({clickLine_, u"复制内容"_s, u"粘贴内容"_s, u"等候时长 0.5"_s});
  form_.controls().text3.SetText(u"200");
  std::optional<testing::OtherClient> locker;
  int lockerInput = -1;
  QString stopText;
  // No answer to the box while the locker would take it.
  boxes_.keysFor = [&](const QString& text) {
    return locker ? QStringList{u"sleep"_s, u"0"_s} : testing::BoxAnswerer::UsualKeys(text);
  };
  QTimer watch;
  QObject::connect(&watch, &QTimer::timeout, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!locker && lockerInput < 0 && ReadUtf8(output_).count('x') >= 3) {
      Display* lock = locker.emplace().display();
      ASSERT_EQ(XGrabKeyboard(lock, locker->Root(), False, GrabModeAsync, GrabModeAsync, CurrentTime), GrabSuccess);
      ASSERT_EQ(XGrabPointer(lock, locker->Root(), False, ButtonPressMask, GrabModeAsync, GrabModeAsync, 0, 0, 0),
                GrabSuccess);
    } else if (locker && box != nullptr) {
      stopText = box->text();
      XSync(locker->display(), False);
      // Releases of keys pressed before the grab come to the locker too.
      for (lockerInput = 0; XPending(locker->display()) > 0;) {
        XEvent event;
        XNextEvent(locker->display(), &event);
        lockerInput += event.type == KeyPress || event.type == ButtonPress;
      }
      locker.reset();  // its grabs go with its connection
    }
  });
  watch.start(5);
  Start();
  watch.stop();
  locker.reset();  // also when the run went on regardless
  const qsizetype passes = ReadUtf8(output_).count('x');
  EXPECT_GE(passes, 3);
  EXPECT_EQ(lockerInput, 0) << "the run's input reached the locker";
  EXPECT_EQ(stopText, u"屏幕已锁定或输入被其他程序占用，执行已停止：已完成 %1 次，共 200 次。"_s.arg(passes));
  form_.controls().text3.SetText(u"2");
  Start();
  EXPECT_EQ(WaitForText(std::string(passes + 2, 'x')), std::string(passes + 2, 'x'));

  form_.controls().list3.SetList(3, u"等候时长 10");
  Display* server = other_.display();
  XSetScreenSaver(server, 2, 0, DontPreferBlanking, AllowExposures);
  XScreenSaverInfo info{};
  const auto shown = [&] { return XScreenSaverQueryInfo(server, other_.Root(), &info) && info.state == ScreenSaverOn; };
  int looks = 0;
  bool shownDuring = false, inhibited = false, tapped = false;
  const QRegularExpression inhibit(u"(^|\n)Inhibit Tavorin \\d+\n$"_s);
  QObject::disconnect(&watch, nullptr, nullptr, nullptr);
  QObject::connect(&watch, &QTimer::timeout, [&] {
    if (form_.isVisible()) return;
    ++looks;
    shownDuring = shownDuring || shown();
    inhibited = inhibited || inhibit.match(saverCalls()).hasMatch();
    // The second pass has pasted: the first one's pause is over.
    if (!tapped && ReadUtf8(output_).count('x') == passes + 4) tapped = (other_.Tap(XK_Escape), true);
  });
  watch.start(100);
  Start();
  EXPECT_TRUE(tapped && boxes_.texts.value(boxes_.texts.size() - 1).startsWith(u"执行已停止："_s));
  EXPECT_GT(looks, 20);
  EXPECT_FALSE(shownDuring) << "the saver started during the run";
  EXPECT_TRUE(inhibited) << "not inhibited during the run";
  EXPECT_TRUE(QTest::qWaitFor(shown, 5000)) << "the saver did not come back";
  // Three Inhibit calls, each given back with its cookie.
  const QRegularExpression pairs(u"^(Inhibit Tavorin (\\d+)\nUnInhibit \\2\n){3}$"_s);
  EXPECT_TRUE(QTest::qWaitFor([&] { return pairs.match(saverCalls()).hasMatch(); })) << saverCalls().toStdString();
}

// On a Wayland desktop (headless sway, see on_headless_sway.sh) the
// confirmation adds that only X11 programs can be filled. A run stops before
// its first click with the pointer on a native Wayland window (the click
// would go nowhere, the paste into the X11 form that has the focus), and with
// the pointer on the X11 form while the native window is active (the keys
// would go nowhere). With the pointer on the form and the form active, a run
// fills it.
TEST_F(X11WatchTest, OnWaylandRunsStopBeforeInputThatCannotReachAnActiveX11WindowUnderThePointer) {
  QProcess native;
  native.setEnvironment(QProcess::systemEnvironment() << u"QT_QPA_PLATFORM=wayland"_s);
  native.start(QStringLiteral(TAVORIN_TARGET_WINDOW), {output_ + u".native"_s});
  ASSERT_TRUE(native.waitForReadyRead(30000)) << "no native Wayland window";
  const Window form = TargetWindow();
  const auto runAt = [&](QPoint point, bool formActive) {
    const QString at = u"%1 %2"_s.arg(point.x()).arg(point.y());
    ASSERT_EQ(QProcess::execute(u"swaymsg"_s, {u"seat seat0 cursor set "_s + at}), 0);
    const QString active = formActive ? u"[class=tavorin_sample_form] focus"_s : u"[shell=xdg_shell] focus"_s;
    ASSERT_EQ(QProcess::execute(u"swaymsg"_s, {active}), 0);
    ASSERT_TRUE(QTest::qWaitFor([&] { return other_.HasFocus(form) == formActive; }));
    form_.controls().list3.SetList(0, (u"点击位置 "_s + at).toStdU16String());
    Start();
  };
  Records({u"x"_s}, {true});
  // No wait: the second pass's click must not join the first's into a
  // double-click, which would select the "x" for the paste to replace.
  Actions({clickLine_, u"复制内容"_s, u"粘贴内容"_s});
  form_.controls().text3.SetText(u"2");
  const std::string stopped =
      "该位置的窗口不是本程序在此桌面上可以填写的窗口（请让该程序在 X11/XWayland 下运行，或登录 X11 会话），"
      "执行已停止：已完成 0 次，共 2 次。";
  runAt(QPoint(960, 300), true);  // on the native window
  EXPECT_EQ(boxes_.texts.value(1).toStdString(), stopped);
  runAt(field_, false);
  EXPECT_EQ(boxes_.texts.value(3).toStdString(), stopped);
  EXPECT_EQ(ReadUtf8(output_ + u".events"_s).toStdString(), "") << "the runs' input reached the X11 form";
  runAt(field_, true);
  EXPECT_EQ(WaitForText("xx"), "xx");
  EXPECT_TRUE(QRegularExpression(u"\\n当前是 Wayland 桌面：只能填写 X11 程序的窗口。\\r?\\n继续吗？$"_s)
                  .match(boxes_.texts.value(0)).hasMatch()) << boxes_.texts.value(0).toStdString();
  EXPECT_EQ(boxes_.texts.size(), 5) << boxes_.texts.join(u"|"_s).toStdString();
  EXPECT_EQ(ReadUtf8(output_ + u".native.events"_s) + ReadUtf8(output_ + u".native"_s), QString());
}

}  // namespace
}  // namespace tavorin

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
