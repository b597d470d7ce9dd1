// What keeps a long run's input on the desktop, with the X11 platform driven
// as a run drives it, against the sample form in another process: the check
// before each input, and keeping the screen awake.

#include "form_run_test.h"

#include <algorithm>
#include <ranges>

#include "core/execution/command_interpreter.h"
#include "platform/x11/x11_platform.h"

// Last: Xlib's macros break the gtest and Qt headers.
#include <X11/extensions/scrnsaver.h>

namespace tavorin {
namespace {

using namespace Qt::StringLiterals;

class X11WatchTest : public testing::FormRunTest {
 protected:
  void ClickAt(QPoint point) {
    platform_.SetCursorPos(point.x(), point.y());
    platform_.MouseEvent(kLeftDown | kLeftUp);
  }
  // One key line of a run: the check, then the key if nothing is wrong.
  DeliveryFault TypeA() {
    const DeliveryFault fault = platform_.CheckDelivery(DeliveryCheck::kBeforeInput);
    if (fault == DeliveryFault::kNone) ExecuteCommand(platform_, u"k 65");
    return fault;
  }

  X11Platform platform_;
};

// A locker grabs keyboard and pointer while a run types into the form: the
// next key is not sent and the locker gets none; once it has gone, keys
// arrive again. Until it came, the checks changed nothing the target sees
// (no focus change, no crossing). The server's saver showing blocks too.
TEST_F(X11WatchTest, ALockerOrTheShowingSaverBlocksInputAndTheChecksDisturbNoWindow) {
  form_.hide();
  ClickAt(field_);
  const Window target = TargetWindow();
  ASSERT_TRUE(QTest::qWaitFor([&] { return other_.HasFocus(target); }));
  XSelectInput(other_.display(), target, FocusChangeMask | EnterWindowMask | LeaveWindowMask);
  XSync(other_.display(), False);
  std::optional<testing::OtherClient> locker(std::in_place);
  Display* lock = locker->display();
  int eventsBeforeLock = -1;
  DeliveryFault fault = DeliveryFault::kNone;
  for (int line = 0; line < 500 && fault == DeliveryFault::kNone; ++line) {
    fault = TypeA();
    platform_.Sleep(20);
    if (eventsBeforeLock < 0 && testing::ReadUtf8(output_).count('a') >= 3) {
      eventsBeforeLock = XPending(other_.display());
      const int keyboard = XGrabKeyboard(lock, locker->Root(), False, GrabModeAsync, GrabModeAsync, CurrentTime);
      ASSERT_TRUE(keyboard == GrabSuccess &&
                  XGrabPointer(lock, locker->Root(), False, 0, GrabModeAsync, GrabModeAsync, 0, 0, 0) == GrabSuccess);
    }
  }
  EXPECT_EQ(fault, DeliveryFault::kInputBlocked);
  EXPECT_EQ(eventsBeforeLock, 0) << "a check moved the focus or the pointer";
  XSync(lock, False);
  EXPECT_EQ(XPending(lock), 0) << "a key of the run reached the locker";
  locker.reset();  // its grabs go with its connection
  const std::string more = testing::ReadUtf8(output_).toStdString() + 'a';
  EXPECT_EQ(TypeA(), DeliveryFault::kNone);
  EXPECT_EQ(WaitForText(more), more);

  XForceScreenSaver(other_.display(), ScreenSaverActive);
  XSync(other_.display(), False);
  EXPECT_EQ(platform_.CheckDelivery(DeliveryCheck::kBeforeInput), DeliveryFault::kInputBlocked);
}

// With the server's saver due after 2 s idle, it never starts during a 10 s
// pause of a run kept awake, and starts within 5 s once the run is over.
// The desktop's service, a stand-in on a private bus, is asked to inhibit
// at the start and gets the same cookie back at the end.
TEST_F(X11WatchTest, AKeptAwakeRunHoldsOffTheSaversAndGivesThemBackAfterwards) {
  Display* server = other_.display();
  XSetScreenSaver(server, 2, 0, DontPreferBlanking, AllowExposures);
  XForceScreenSaver(server, ScreenSaverReset);
  XScreenSaverInfo info{};
  const auto shown = [&] { return XScreenSaverQueryInfo(server, other_.Root(), &info) && info.state == ScreenSaverOn; };
  platform_.KeepAwake(true);
  // Ten seconds of a run's pauses; the saver is looked at after each.
  EXPECT_FALSE(std::ranges::any_of(std::views::iota(0, 100), [&](int) { platform_.Sleep(100); return shown(); }));
  platform_.KeepAwake(false);
  EXPECT_TRUE(QTest::qWaitFor(shown, 5000)) << "the saver did not come back";

  const QString log = qEnvironmentVariable("TAVORIN_SCREENSAVER_LOG");
  const QRegularExpression calls(u"^Inhibit Tavorin (\\d+)\nUnInhibit \\1\n$"_s);
  EXPECT_TRUE(QTest::qWaitFor([&] { return calls.match(testing::ReadUtf8(log)).hasMatch(); }))
      << "the stand-in (with_private_session_bus.sh) got: " << testing::ReadUtf8(log).toStdString();
}

// On a Wayland desktop (headless sway, see on_headless_sway.sh) input goes
// only to an X11 window of another program that has both the pointer and
// the focus. The X11 form is filled; with the pointer on a native Wayland
// window, that window active, or this program's own window active and under
// the pointer, nothing more is sent.
TEST_F(X11WatchTest, OnWaylandOnlyTheActiveX11WindowOfAnotherProgramUnderThePointerIsFilled) {
  QProcess native;
  native.setEnvironment(QProcess::systemEnvironment() << u"QT_QPA_PLATFORM=wayland"_s);
  native.start(QStringLiteral(TAVORIN_TARGET_WINDOW), {output_ + u".native"_s});
  ASSERT_TRUE(native.waitForReadyRead(30000)) << "no native Wayland window";
  const Window form = TargetWindow();
  ASSERT_EQ(QProcess::execute(u"swaymsg"_s, {u"[class=tavorin_sample_form] focus"_s}), 0);
  ASSERT_TRUE(QTest::qWaitFor([&] { return other_.HasFocus(form); }));
  ClickAt(field_);
  EXPECT_EQ(TypeA(), DeliveryFault::kNone);
  EXPECT_EQ(WaitForText("a"), "a");

  ClickAt(QPoint(960, 300));  // on the native window
  EXPECT_EQ(TypeA(), DeliveryFault::kTargetUnreachable);
  platform_.SetCursorPos(field_.x(), field_.y());
  ASSERT_EQ(QProcess::execute(u"swaymsg"_s, {u"[shell=xdg_shell] focus"_s}), 0);
  ASSERT_TRUE(QTest::qWaitFor([&] { return !other_.HasFocus(form); }));
  EXPECT_EQ(TypeA(), DeliveryFault::kTargetUnreachable);
  // The main window's lower left corner, clear of the floating forms.
  platform_.SetCursorPos(form_.x() + 10, form_.y() + form_.height() - 10);
  ASSERT_EQ(QProcess::execute(u"swaymsg"_s, {u"[class=x11_watch_test] focus"_s}), 0);
  ASSERT_TRUE(QTest::qWaitFor([&] { return form_.isActiveWindow(); }));
  EXPECT_EQ(TypeA(), DeliveryFault::kTargetUnreachable);
  EXPECT_EQ(testing::ReadUtf8(output_), u"a"_s);
}

}  // namespace
}  // namespace tavorin

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
