// What keeps a long run's input on the desktop, driven as a run drives the
// X11 platform, against the sample form in another process: the check before
// each input, and keeping the screen awake.

#include <gtest/gtest.h>

#include <QtWidgets>
#include <QtTest>

#include "platform/x11/x11_platform.h"

// Last: Xlib's macros (None among them) break the gtest and Qt headers.
#include "other_x_client.h"
#include <X11/extensions/scrnsaver.h>

namespace tavorin {
namespace {

class X11WatchTest : public ::testing::Test {
 protected:
  void SetUp() override {
    target_.start(QStringLiteral(TAVORIN_TARGET_WINDOW), {dir_.filePath(QStringLiteral("form.txt"))});
    ASSERT_TRUE(target_.waitForStarted(10000));
    while (!target_.canReadLine() && target_.waitForReadyRead(30000)) {
    }
    const QList<QByteArray> words = target_.readLine().trimmed().split(' ');
    ASSERT_EQ(words.size(), 3);
    field_ = QPoint(words[1].toInt(), words[2].toInt());
  }
  void TearDown() override {
    target_.kill();
    target_.waitForFinished(5000);
  }
  QString Read(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
  }
  QString Typed() { return Read(dir_.filePath(QStringLiteral("form.txt"))); }
  // One key line of a run: the check, then the key if nothing is wrong.
  DeliveryFault TypeA() {
    const DeliveryFault fault = platform_.CheckDelivery(DeliveryCheck::kBeforeInput);
    if (fault == DeliveryFault::kNone) {
      platform_.KeyEvent(65, false);
      platform_.KeyEvent(65, true);
    }
    return fault;
  }

  QTemporaryDir dir_;
  QProcess target_;
  QPoint field_;
  testing::OtherClient other_;
  X11Platform platform_;
};

// A locker grabs keyboard and pointer while a run types into the form: the
// next key is not sent and the locker gets none; once it has gone, keys
// arrive again. Until it came, the checks changed nothing the target sees
// (no focus change, no crossing). The server's saver showing blocks too.
TEST_F(X11WatchTest, ALockerOrTheShowingSaverBlocksInputAndTheChecksDisturbNoWindow) {
  platform_.SetCursorPos(field_.x(), field_.y());
  platform_.MouseEvent(kLeftDown | kLeftUp);
  const Window target = other_.WaitForWindowOfProcess(target_.processId());
  ASSERT_TRUE(QTest::qWaitFor([&] { return other_.HasFocus(target); }));
  XSelectInput(other_.display(), target, FocusChangeMask | EnterWindowMask | LeaveWindowMask);
  XSync(other_.display(), False);
  testing::OtherClient locker;
  int eventsBeforeLock = -1;
  QTimer lockAfterThreeKeys;
  QObject::connect(&lockAfterThreeKeys, &QTimer::timeout, [&] {
    if (eventsBeforeLock >= 0 || Typed().count('a') < 3) return;
    eventsBeforeLock = XPending(other_.display());
    Display* lock = locker.display();
    ASSERT_EQ(XGrabKeyboard(lock, locker.Root(), False, GrabModeAsync, GrabModeAsync, CurrentTime), GrabSuccess);
    ASSERT_EQ(XGrabPointer(lock, locker.Root(), False, 0, GrabModeAsync, GrabModeAsync, 0, 0, CurrentTime), GrabSuccess);
    XSync(locker.display(), False);
  });
  lockAfterThreeKeys.start(5);
  DeliveryFault fault = DeliveryFault::kNone;
  for (int line = 0; line < 500 && fault == DeliveryFault::kNone; ++line) {
    fault = TypeA();
    platform_.Sleep(20);
  }
  EXPECT_EQ(fault, DeliveryFault::kInputBlocked);
  EXPECT_EQ(eventsBeforeLock, 0) << "a check moved the focus or the pointer";
  XSync(locker.display(), False);
  EXPECT_EQ(XPending(locker.display()), 0) << "a key of the run reached the locker";

  XUngrabKeyboard(locker.display(), CurrentTime);
  XUngrabPointer(locker.display(), CurrentTime);
  XSync(locker.display(), False);
  const QString before = Typed();
  EXPECT_EQ(TypeA(), DeliveryFault::kNone);
  EXPECT_TRUE(QTest::qWaitFor([&] { return Typed() == before + 'a'; })) << Typed().toStdString();

  XForceScreenSaver(other_.display(), ScreenSaverActive);
  XSync(other_.display(), False);
  EXPECT_EQ(platform_.CheckDelivery(DeliveryCheck::kBeforeInput), DeliveryFault::kInputBlocked);
  XForceScreenSaver(other_.display(), ScreenSaverReset);
}

// With the server's saver due after 2 s idle, it never starts during a 10 s
// pause of a run kept awake, and starts within 5 s once the run is over.
// The desktop's service, a stand-in on a private bus, is asked to inhibit
// at the start and gets the same cookie back at the end.
TEST_F(X11WatchTest, AKeptAwakeRunHoldsOffTheSaversAndGivesThemBackAfterwards) {
  Display* display = other_.display();
  XSetScreenSaver(display, 2, 0, DontPreferBlanking, AllowExposures);
  XForceScreenSaver(display, ScreenSaverReset);
  XScreenSaverInfo* info = XScreenSaverAllocInfo();
  const auto saverOn = [&] {
    return XScreenSaverQueryInfo(display, other_.Root(), info) && info->state == ScreenSaverOn;
  };
  platform_.KeepAwake(true);
  bool cameOn = false;
  QTimer poll;
  QObject::connect(&poll, &QTimer::timeout, [&] { cameOn = cameOn || saverOn(); });
  poll.start(50);
  platform_.Sleep(10000);
  poll.stop();
  EXPECT_FALSE(cameOn);
  platform_.KeepAwake(false);
  EXPECT_TRUE(QTest::qWaitFor(saverOn, 5000)) << "the saver did not come back";
  XFree(info);

  const QString log = qEnvironmentVariable("TAVORIN_SCREENSAVER_LOG");
  ASSERT_FALSE(log.isEmpty()) << "run this under with_private_session_bus.sh";
  const QRegularExpression calls(QStringLiteral("^Inhibit Tavorin (\\d+)\nUnInhibit \\1\n$"));
  EXPECT_TRUE(QTest::qWaitFor([&] { return calls.match(Read(log)).hasMatch(); })) << Read(log).toStdString();
}

}  // namespace
}  // namespace tavorin

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
