// The progress badge of a real run against the sample form: it shows the
// pass and record being entered, stays above the target without taking the
// focus, lets a click through to the target and is gone once the run ends.
// (That it goes with a stopped run is checked with the Esc taps.)

#include <QApplication>

#include "form_run_test.h"

// Last: Xlib's macros (None among them) break the gtest and Qt headers.
#include "other_x_client.h"

namespace tavorin {
namespace {

using testing::OtherClient;
using testing::ReadUtf8;

using RunBadgeTest = testing::FormRunTest;

TEST_F(RunBadgeTest, ShowsEachPassAboveTheTargetLetsClicksThroughAndGoesWithTheRun) {
  OtherClient other;
  ASSERT_NE(other.display(), nullptr);
  const Window target = other.WaitForWindowOfProcess(target_.processId());
  ASSERT_NE(target, 0u) << "the window manager does not list the target";
  // The target fills the screen, so the badge's corner lies over it.
  other.Maximize(target);
  const QRect screen = QGuiApplication::primaryScreen()->geometry();
  ASSERT_TRUE(QTest::qWaitFor([&] { return other.Covers(target, screen.right() - 2, screen.bottom() - 2); }))
      << "the target was not maximized";

  Records({QStringLiteral("甲"), QStringLiteral("乙"), QStringLiteral("丙")}, {true, true, true});
  Actions({clickLine_, QStringLiteral("复制内容"), QStringLiteral("粘贴内容"), QStringLiteral("等候时长 1")});
  RunBadge* badge = Badge();
  ASSERT_NE(badge, nullptr);
  const Window badgeWindow = badge->winId();

  // Each time the target shows one more record, the badge is read.
  QStringList passes, records;
  QString problems;
  QRect badgeArea;
  QPoint badgeCentre;
  bool clickedThrough = false;
  Window cover = 0;
  qsizetype seen = 0;
  QTimer watch;
  QObject::connect(&watch, &QTimer::timeout, [&] {
    if (clickedThrough && cover == 0 &&
        ReadUtf8(output_ + QStringLiteral(".events")).contains(QStringLiteral("press 2"))) {
      // Once the click has arrived, another window comes on top of the
      // badge; by the next pass the badge is above it again.
      cover = other.MapUnmanagedOnTop(badgeCentre.x() - 20, badgeCentre.y() - 10, 40, 20);
    }
    const qsizetype delivered = ReadUtf8(output_).size();
    if (delivered == seen || form_.isVisible()) return;
    seen = delivered;
    passes << badge->PassLine();
    records << badge->RecordLine();
    if (!badge->isVisible() || !other.Viewable(badgeWindow)) problems += QStringLiteral("not shown; ");
    if (other.StackPosition(badgeWindow) <= other.StackPosition(target)) problems += QStringLiteral("under the target; ");
    if (cover != 0 && other.StackPosition(badgeWindow) <= other.StackPosition(cover)) {
      problems += QStringLiteral("under another window put on top; ");
    }
    if (other.HasFocus(badgeWindow)) problems += QStringLiteral("has the focus; ");
    if (!clickedThrough) {
      // A right click in the middle of the badge, during the pass's wait.
      badgeArea = badge->frameGeometry();
      badgeCentre = badgeArea.center() * badge->devicePixelRatio();
      other.ClickAt(badgeCentre.x(), badgeCentre.y(), 3);
      clickedThrough = true;
    }
  });
  watch.start(5);
  Start();
  watch.stop();

  EXPECT_EQ(WaitForText(QStringLiteral("甲乙丙")), QStringLiteral("甲乙丙"));
  EXPECT_EQ(passes, (QStringList{QStringLiteral("第 1/3 次"), QStringLiteral("第 2/3 次"), QStringLiteral("第 3/3 次")}));
  EXPECT_EQ(records, (QStringList{QStringLiteral("甲"), QStringLiteral("乙"), QStringLiteral("丙")}));
  EXPECT_TRUE(problems.isEmpty()) << problems.toStdString();
  EXPECT_FALSE(badgeArea.contains(field_ / badge->devicePixelRatio())) << "the badge covers the click position";
  ASSERT_TRUE(clickedThrough);
  EXPECT_NE(cover, 0u) << "the click never arrived, so nothing was put over the badge";
  // The target's log lists that right click (button 2 in Qt's numbering).
  EXPECT_TRUE(QTest::qWaitFor([&] { return ReadUtf8(output_ + ".events").contains(QStringLiteral("press 2")); }))
      << "the click stopped at the badge";
  EXPECT_FALSE(badge->isVisible());
  EXPECT_FALSE(other.Viewable(badgeWindow));
}

}  // namespace
}  // namespace tavorin

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
