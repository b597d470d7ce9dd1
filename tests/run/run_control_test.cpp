// Runs started with "启动" on the real main window against the sample form:
// what the form receives; Esc stops a run, whoever sends it, and only then;
// the check before a run; boxes during a run are seen, answered and not
// taken for a stop; the target gets the record even when another program
// takes the clipboard; the progress badge.

#include <QtWidgets>
#include <QtTest>

#include "form_run_test.h"

namespace tavorin {
namespace {

using testing::ReadUtf8;
using RunControlTest = testing::FormRunTest;

// Whether F13 has a keycode now; Xlib caches the keymap of a connection.
bool F13Bound() {
  testing::OtherClient fresh;
  return XKeysymToKeycode(fresh.display(), XK_F13) != 0;
}

// Chords with Shift, and F13, which has no keycode in the US keymap of Xvfb:
// it is bound only for its tap.
TEST_F(RunControlTest, CheckedRecordsArriveInListOrderWithTheirPassNumberKeysAndTheRefreshKey) {
  ASSERT_FALSE(F13Bound()) << "F13 is mapped";
  Records({QStringLiteral("第%i条：甲"), QStringLiteral("不选%i"), QStringLiteral("乙 %i"), QStringLiteral("Ω%i%i")},
          {true, false, true, true});
  Actions({clickLine_, QStringLiteral("复制内容"), QStringLiteral("粘贴内容"), QStringLiteral("按下按键 65 1"),
           QStringLiteral("按下按键 124"), QStringLiteral("按下按键 13")});
  form_.findChild<QRadioButton*>(QStringLiteral("Option1(0)"))->setChecked(true);  // F5 after every pass
  Start();
  EXPECT_EQ(WaitForText("第1条：甲A\n乙 2A\nΩ33A\n"), "第1条：甲A\n乙 2A\nΩ33A\n");
  EXPECT_EQ(form_.controls().text3.Text(), u"3");
  EXPECT_TRUE(form_.isVisible());
  ASSERT_FALSE(boxes_.texts.isEmpty());
  EXPECT_TRUE(boxes_.texts[0].contains(QStringLiteral("执行期间按 Esc 键可以停止。")));
  QStringList events;
  QTest::qWaitFor([&] {
    events = ReadUtf8(output_ + QStringLiteral(".events")).split('\n');
    return events.count(QStringLiteral("key F5")) >= 3;
  });
  EXPECT_EQ(events.count(QStringLiteral("key F5")), 3) << events.join(' ').toStdString();
  EXPECT_EQ(events.count(QStringLiteral("key F13")), 3) << events.join(' ').toStdString();
  EXPECT_FALSE(F13Bound()) << "the borrowed keycode was not unbound";
}

// Each tap, sent as soon as a run has delivered its first record, ends that
// run at once and takes the badge with it; none of them reaches the target,
// while the run's own Esc (one per pass, right after the click) does and
// never stops it. Nothing stays pressed.
TEST_F(RunControlTest, EveryEscTapStopsTheRunAndNoneReachesTheTarget) {
  Records({QStringLiteral("x")}, {true});
  Actions({clickLine_, QStringLiteral("按下按键 27"), QStringLiteral("复制内容"), QStringLiteral("粘贴内容"),
           QStringLiteral("等候时长 0.1")});
  RunBadge* badge = testing::TopLevel<RunBadge>();
  ASSERT_NE(badge, nullptr);
  constexpr int kTaps = 50;
  std::vector<qint64> stopTimes;
  for (int run = 0; run < kTaps; ++run) {
    form_.controls().text3.SetText(u"100");
    const qsizetype before = ReadUtf8(output_).count('x');
    QElapsedTimer sinceRecord, sinceTap;
    qint64 backAfter = -1;
    bool badgeShown = false;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
      if (!sinceTap.isValid()) {
        if (form_.isVisible() || ReadUtf8(output_).count('x') == before) return;
        if (!sinceRecord.isValid()) sinceRecord.start();
        // The window manager maps the badge in its own time.
        badgeShown = other_.Viewable(badge->winId()) && badge->PassLine().endsWith(QStringLiteral("/100 次"));
        if (!badgeShown && sinceRecord.elapsed() < 3000) return;
        other_.TapEscape();
        sinceTap.start();
      } else if (backAfter < 0 && form_.isVisible()) {
        backAfter = sinceTap.elapsed();
      }
    });
    watch.start(2);
    Start();
    ASSERT_TRUE(sinceTap.isValid()) << "run " << run << " ended before the tap";
    ASSERT_TRUE(QTest::qWaitFor([&] { return backAfter >= 0; })) << "run " << run;
    stopTimes.push_back(backAfter);
    // How soon is for the median below; a loaded machine may take its time
    // once in a while, but a missed tap lets the run go on for many seconds.
    EXPECT_LT(backAfter, 2000) << "run " << run << " went on after the tap";
    EXPECT_TRUE(badgeShown) << "run " << run;
    EXPECT_FALSE(badge->isVisible() || other_.Viewable(badge->winId())) << "run " << run;
    ASSERT_FALSE(boxes_.texts.isEmpty());
    EXPECT_TRUE(boxes_.texts.back().startsWith(QStringLiteral("执行已停止：已完成 ")))
        << boxes_.texts.back().toStdString();
  }
  std::ranges::sort(stopTimes);
  EXPECT_LT(stopTimes[stopTimes.size() / 2], 100) << "a tap stops the run within 100 ms as a rule";

  // In the target's log every Esc directly follows the run's click: none
  // came from a tap.
  const QStringList events = ReadUtf8(output_ + QStringLiteral(".events")).split('\n');
  int escapes = 0;
  for (qsizetype i = 0; i < events.size(); ++i) {
    if (events[i] != QStringLiteral("key Esc")) continue;
    ++escapes;
    // Two runs' clicks close together are a double click to the target.
    EXPECT_TRUE(i > 0 && (events[i - 1].startsWith(QStringLiteral("press")) ||
                          events[i - 1].startsWith(QStringLiteral("double"))))
        << "a tapped Esc reached the target, after " << (i > 0 ? events[i - 1].toStdString() : "nothing");
  }
  EXPECT_GE(escapes, kTaps) << "the run's own Esc did not reach the target";
  char keys[32];
  XQueryKeymap(other_.display(), keys);
  for (int code = 0; code < 256; ++code) {
    EXPECT_FALSE(keys[code / 8] & (1 << (code % 8))) << "keycode " << code << " is still down";
  }
}

// The check before the run lists a faulty line and makes "否" the default:
// Enter keeps the run from starting; Y starts it all the same. With the
// target always on top, as the confirmation asks, every box of a run comes
// above it in the server's stacking order, with the keyboard focus. An
// error box closed with Esc (held as long as a person holds it, still down
// when the box closes) is no stop, and a program that takes the clipboard
// while it is open (and answers nobody) gets nothing pasted: every record
// arrives. Then the user stops a second run, and the stop message comes on
// top too.
TEST_F(RunControlTest, BoxesComeAboveAnAlwaysOnTopTargetWithTheFocusAndTheirEscIsNoStop) {
  const Window target = TargetWindow();
  ASSERT_NE(target, 0u) << "the window manager does not list the target";
  other_.MakeAbove(target);
  ASSERT_TRUE(QTest::qWaitFor([&] { return other_.IsAbove(target); }));

  Records({QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")}, {true, true, true});
  Actions({clickLine_, QStringLiteral("复制内容"), QStringLiteral("按下按键 86 9"), QStringLiteral("粘贴内容"),
           QStringLiteral("等候时长 0.1")});
  boxes_.keysFor = [](const QString&) { return QStringList{QStringLiteral("key"), QStringLiteral("Return")}; };
  Start();
  ASSERT_EQ(boxes_.texts.size(), 1) << boxes_.texts.join('|').toStdString();
  EXPECT_TRUE(boxes_.texts[0].startsWith(QStringLiteral("第 3 行：参数错误\n\n即将开始执行动作。")))
      << boxes_.texts[0].toStdString();
  EXPECT_TRUE(form_.isVisible() && form_.controls().text3.Text().empty());

  const QString error = QStringLiteral("参数错误");
  boxes_.keysFor = [&](const QString& text) {
    return text == error ? QStringList{"keydown", "Escape", "sleep", "0.15", "keyup", "Escape"}
                         : testing::BoxAnswerer::UsualKeys(text);
  };
  QStringList onTop, focused;
  boxes_.onFocused = [&](QMessageBox& box) {
    if (box.text() == error) {  // the interpreter's error box has the program's look
      EXPECT_TRUE(box.windowTitle() == QStringLiteral("错误") && box.icon() == QMessageBox::Critical &&
                  box.buttons().size() == 1);
    }
    const Window window = box.winId();
    bool top = false, focus = false;
    // The manager may still be restacking: watch for a second at most.
    QTest::qWaitFor([&] {
      const std::vector<Window> stacking = other_.WindowList("_NET_CLIENT_LIST_STACKING");
      top = !stacking.empty() && stacking.back() == window && std::ranges::count(stacking, target) == 1;
      focus = other_.HasFocus(window);
      return top && focus;
    }, 1000);
    if (top) onTop << box.text();
    if (focus) focused << box.text();
  };
  Window thief = 0;
  bool stolenBeforePaste = false;
  QTimer watch;
  QObject::connect(&watch, &QTimer::timeout, [&] {
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (thief != 0 || !clipboard->ownsClipboard() || clipboard->text() != QStringLiteral("a")) return;
    thief = other_.TakeClipboard();
    stolenBeforePaste = other_.ClipboardOwner() == thief && ReadUtf8(output_).isEmpty();
  });
  watch.start(5);
  Start();
  EXPECT_TRUE(stolenBeforePaste);
  EXPECT_EQ(WaitForText("abc"), "abc");
  EXPECT_EQ(boxes_.texts.count(error), 3) << boxes_.texts.join('|').toStdString();
  for (const auto& text : boxes_.texts) EXPECT_FALSE(text.startsWith(QStringLiteral("执行已停止")));

  // Once the first record of the next run has arrived, the user stops it.
  form_.controls().list3.Clear();
  Actions({clickLine_, QStringLiteral("复制内容"), QStringLiteral("粘贴内容"), QStringLiteral("等候时长 0.1")});
  form_.controls().text3.SetText(u"1000");
  QTimer stopper;
  QObject::connect(&stopper, &QTimer::timeout, [&] {
    if (!form_.isVisible() && ReadUtf8(output_).size() > 3) {
      stopper.stop();
      other_.TapEscape();
    }
  });
  stopper.start(5);
  Start();
  EXPECT_TRUE(boxes_.unfocused.isEmpty()) << boxes_.unfocused.join('|').toStdString();
  const QString stop = boxes_.texts.last();
  EXPECT_TRUE(stop.startsWith(QStringLiteral("执行已停止"))) << stop.toStdString();
  EXPECT_TRUE(onTop.contains(error) && onTop.contains(stop)) << onTop.join('|').toStdString();
  EXPECT_TRUE(focused.contains(error) && focused.contains(stop)) << focused.join('|').toStdString();
}

// The progress badge shows the pass and record being entered, stays above
// the target without taking the focus, lets a click through to the target
// and is gone once the run ends. (That it goes with a stopped run is
// checked with the Esc taps.)
TEST_F(RunControlTest, TheBadgeShowsEachPassAboveTheTargetLetsClicksThroughAndGoesWithTheRun) {
  const Window target = TargetWindow();
  ASSERT_NE(target, 0u) << "the window manager does not list the target";
  // The target fills the screen, so the badge's corner lies over it.
  other_.Maximize(target);
  ASSERT_TRUE(QTest::qWaitFor([&] {
    return other_.AtomNames(target, "_NET_WM_STATE").contains("_NET_WM_STATE_MAXIMIZED_HORZ");
  })) << "the target was not maximized";

  Records({QStringLiteral("甲"), QStringLiteral("乙"), QStringLiteral("丙")}, {true, true, true});
  Actions({clickLine_, QStringLiteral("复制内容"), QStringLiteral("粘贴内容"), QStringLiteral("等候时长 1")});
  RunBadge* badge = testing::TopLevel<RunBadge>();
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
      cover = other_.MapUnmanagedOnTop(badgeCentre.x() - 20, badgeCentre.y() - 10, 40, 20);
    }
    const qsizetype delivered = ReadUtf8(output_).size();
    if (delivered == seen || form_.isVisible()) return;
    seen = delivered;
    passes << badge->PassLine();
    records << badge->RecordLine();
    if (!badge->isVisible() || !other_.Viewable(badgeWindow)) problems += QStringLiteral("not shown; ");
    if (other_.StackPosition(badgeWindow) <= other_.StackPosition(target)) {
      problems += QStringLiteral("under the target; ");
    }
    if (cover != 0 && other_.StackPosition(badgeWindow) <= other_.StackPosition(cover)) {
      problems += QStringLiteral("under another window put on top; ");
    }
    if (other_.HasFocus(badgeWindow)) problems += QStringLiteral("has the focus; ");
    if (!clickedThrough) {
      // A right click in the middle of the badge, during the pass's wait.
      badgeArea = badge->frameGeometry();
      badgeCentre = badgeArea.center() * badge->devicePixelRatio();
      other_.ClickAt(badgeCentre.x(), badgeCentre.y(), 3);
      clickedThrough = true;
    }
  });
  watch.start(5);
  Start();
  watch.stop();

  EXPECT_EQ(WaitForText("甲乙丙"), "甲乙丙");
  EXPECT_EQ(passes.join('|').toStdString(), "第 1/3 次|第 2/3 次|第 3/3 次");
  EXPECT_EQ(records.join('|').toStdString(), "甲|乙|丙");
  EXPECT_TRUE(problems.isEmpty()) << problems.toStdString();
  EXPECT_FALSE(badgeArea.contains(field_ / badge->devicePixelRatio())) << "the badge covers the click position";
  ASSERT_TRUE(clickedThrough);
  EXPECT_NE(cover, 0u) << "the click never arrived, so nothing was put over the badge";
  // The target's log lists that right click (button 2 in Qt's numbering).
  EXPECT_TRUE(QTest::qWaitFor([&] { return ReadUtf8(output_ + ".events").contains(QStringLiteral("press 2")); }))
      << "the click stopped at the badge";
  EXPECT_FALSE(badge->isVisible());
  EXPECT_FALSE(other_.Viewable(badgeWindow));
}

}  // namespace
}  // namespace tavorin

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
