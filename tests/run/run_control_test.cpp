// Runs started with "启动" on the real main window against the sample form:
// what the form receives; Esc stops a run, whoever sends it, and only then;
// the check before a run; boxes during a run are seen, answered and not
// taken for a stop; the target gets the record even when another program
// takes the clipboard, or knows it did not; the progress badge; runs that
// wait for the screen of a slow form.

#include <QtWidgets>
#include <QtTest>
#include <numeric>

#include "core/actions/screen_wait_line.h"
#include "platform/x11/x11_screen_area.h"
#include "platform/x11/x11_platform.h"
#include "form_run_test.h"

namespace tavorin {
namespace {

using testing::ReadUtf8;
using namespace Qt::StringLiterals;
using RunControlTest = testing::FormRunTest;

// Whether F13 has a keycode now; Xlib caches the keymap of a connection.
bool F13Bound() {
  testing::OtherClient fresh;
  return XKeysymToKeycode(fresh.display(), XK_F13) != 0;
}

void PasteChord(Platform& platform) {
  for (auto [key, up] : {std::pair{17, false}, {86, false}, {86, true}, {17, true}}) platform.KeyEvent(key, up);
}

// Chords with Shift, and F13, which has no keycode in the US keymap of Xvfb:
// it is bound only for its tap.
TEST_F(RunControlTest, CheckedRecordsArriveInListOrderWithTheirPassNumberKeysAndTheRefreshKey) {
  ASSERT_FALSE(F13Bound()) << "F13 is mapped";
  Records({u"第%i条：甲"_s, u"不选%i"_s, u"乙 %i"_s, u"Ω%i%i"_s}, {true, false, true, true});
  Actions({clickLine_, u"复制内容"_s, u"粘贴内容"_s, u"按下按键 65 1"_s, u"按下按键 124"_s, u"按下按键 13"_s});
  form_.findChild<QRadioButton*>(u"Option1(0)"_s)->setChecked(true);  // F5 after every pass
  Start();
  EXPECT_EQ(WaitForText("第1条：甲A\n乙 2A\nΩ33A\n"), "第1条：甲A\n乙 2A\nΩ33A\n");
  // The F keys in the target's log: each pass's own, then the refresh.
  const auto fKeys = [this] { return Events().split('\n').filter(QRegularExpression(u"^key F\\d+$"_s)).join(' '); };
  const QString keys = u"key F13 key F5 key F13 key F5 key F13 key F5"_s;
  EXPECT_TRUE(QTest::qWaitFor([&] { return fKeys() == keys; })) << fKeys().toStdString();
  EXPECT_FALSE(F13Bound()) << "the borrowed keycode was not unbound";
}

// Each tap, sent as soon as a run has delivered its first record, ends that
// run at once; none of them reaches the target,
// while the run's own Esc (one per pass, right after the click) does and
// never stops it. Nothing stays pressed.
TEST_F(RunControlTest, EveryEscTapStopsTheRunAndNoneReachesTheTarget) {
  Records({u"x"_s}, {true});
  Actions({clickLine_, u"按下按键 27"_s, u"复制内容"_s, u"粘贴内容"_s, u"等候时长 0.1"_s});
  constexpr int kTaps = 50;
  std::vector<qint64> stopTimes;
  for (int run = 0; run < kTaps; ++run) {
    form_.controls().text3.SetText(u"100");
    const qsizetype before = ReadUtf8(output_).count('x');
    QElapsedTimer sinceTap;
    qint64 backAfter = -1;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
      if (!sinceTap.isValid()) {
        if (form_.isVisible() || ReadUtf8(output_).count('x') == before) return;
        other_.Tap(XK_Escape);
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
    EXPECT_TRUE(boxes_.texts.value(boxes_.texts.size() - 1).startsWith(u"执行已停止：已完成 "_s)) << "run " << run;
  }
  std::ranges::sort(stopTimes);
  EXPECT_LT(stopTimes[stopTimes.size() / 2], 100) << "a tap stops the run within 100 ms as a rule";

  // In the target's log every Esc directly follows the run's click (two
  // runs' clicks close together are a double click to it): none came from
  // a tap.
  QString events = Events();
  EXPECT_GE(events.count(u"key Esc\n"_s), kTaps) << "the run's own Esc did not reach the target";
  events.remove(QRegularExpression(u"^(press|double) .*\nkey Esc$"_s, QRegularExpression::MultilineOption));
  EXPECT_FALSE(events.contains(u"key Esc"_s)) << "a tapped Esc reached the target:\n" << events.toStdString();
  char keys[32];
  XQueryKeymap(other_.display(), keys);
  EXPECT_EQ(std::string(keys, sizeof keys), std::string(sizeof keys, '\0')) << "a key is still down";
}

// The check before the run lists a faulty line and makes "否" the default:
// Enter keeps the run from starting; Y starts it all the same. With the
// target always on top, as the confirmation asks, every box of a run comes
// above it in the server's stacking order, with the keyboard focus. An
// error box closed with Esc (held as long as a person holds it, still down
// when the box closes) is no stop, and a program that takes the clipboard
// while it is open (and answers nobody) gets nothing pasted: every record
// arrives.
TEST_F(RunControlTest, BoxesComeAboveAnAlwaysOnTopTargetWithTheFocusAndTheirEscIsNoStop) {
  const Window target = TargetWindow();
  ASSERT_NE(target, 0u) << "the window manager does not list the target";
  other_.MakeAbove(target);
  ASSERT_TRUE(QTest::qWaitFor([&] { return other_.IsAbove(target); }));

  Records({u"a"_s, u"b"_s, u"c"_s}, {true, true, true});
  Actions({clickLine_, u"复制内容"_s, u"按下按键 86 9"_s, u"粘贴内容"_s, u"等候时长 0.1"_s});
  boxes_.keysFor = [](const QString&) { return QStringList{u"key"_s, u"Return"_s}; };
  Start();
  ASSERT_EQ(boxes_.texts.size(), 1) << boxes_.texts.join('|').toStdString();
  EXPECT_TRUE(boxes_.texts[0].startsWith(u"第 3 行：修饰键（末尾的数字）要在 0 到 7 之间；执行时会报“参数错误”，不按键。\n\n即将开始执行动作。"_s))
      << boxes_.texts[0].toStdString();
  EXPECT_TRUE(form_.isVisible() && form_.controls().text3.Text().empty());

  const QString error = u"参数错误"_s;
  boxes_.keysFor = [&](const QString& text) {
    return text == error ? QStringList{"keydown", "Escape", "sleep", "0.15", "keyup", "Escape"}
                         : testing::BoxAnswerer::UsualKeys(text);
  };
  boxes_.onFocused = [&](QMessageBox& box) {
    if (box.text() == error) {  // the interpreter's error box has the program's look
      EXPECT_TRUE(box.windowTitle() == u"错误"_s && box.icon() == QMessageBox::Critical && box.buttons().size() == 1);
    }
    const Window window = box.winId();
    // The manager may still be restacking: watch for a second at most.
    const bool onTopWithFocus = QTest::qWaitFor([&] {
      const std::vector<Window> stacking = other_.WindowList("_NET_CLIENT_LIST_STACKING");
      return !stacking.empty() && stacking.back() == window && std::ranges::count(stacking, target) == 1 &&
             other_.HasFocus(window);
    }, 1000);
    EXPECT_TRUE(onTopWithFocus) << box.text().toStdString();
  };
  Window thief = 0;
  bool stolenBeforePaste = false;
  QTimer watch;
  QObject::connect(&watch, &QTimer::timeout, [&] {
    QClipboard* clipboard = QGuiApplication::clipboard();
    const bool boxOpen = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()) != nullptr;
    if (thief != 0 || !boxOpen || !clipboard->ownsClipboard() || clipboard->text() != u"a"_s) return;
    thief = other_.TakeClipboard();
    stolenBeforePaste = other_.ClipboardOwner() == thief && ReadUtf8(output_).isEmpty();
  });
  watch.start(5);
  Start();
  EXPECT_TRUE(stolenBeforePaste);
  EXPECT_EQ(WaitForText("abc"), "abc");
  EXPECT_EQ(boxes_.texts.count(error), 3) << boxes_.texts.join('|').toStdString();
  for (const auto& text : boxes_.texts) EXPECT_FALSE(text.startsWith(u"执行已停止"_s));
  EXPECT_TRUE(boxes_.unfocused.isEmpty()) << boxes_.unfocused.join('|').toStdString();
}

// The hold for a target that does not fetch its paste (no window has the
// focus at first) counts from the Ctrl+V and ends with the run; the stop key
// not to be had is input that cannot be trusted to arrive. Then another
// program (xclip, restarted as soon as it loses the clipboard) takes the
// clipboard right after each copy, and again right after the text is put
// back for the Ctrl+V: the target pastes the record or the intruder's text,
// and the platform says which. First the clipboard offers the record with
// the hint that keeps it out of clipboard histories.
TEST_F(RunControlTest, APasteHoldsHalfASecondFromItsCtrlVAndAnotherProgramsTextIsNeverTakenForTheRecord) {
  X11Platform platform;
  XSetInputFocus(other_.display(), 0, RevertToNone, CurrentTime);
  QElapsedTimer copy;
  platform.BeginStopWatch();
  platform.SetClipboardText(u"a");
  PasteChord(platform);
  platform.Sleep(600);
  copy.start();
  platform.SetClipboardText(u"b");
  EXPECT_LT(copy.elapsed(), 250);
  PasteChord(platform);
  platform.EndStopWatch();
  platform.BeginStopWatch();
  copy.start();
  platform.SetClipboardText(u"c");
  EXPECT_LT(copy.elapsed(), 250);
  EXPECT_EQ(platform.CheckDelivery(DeliveryCheck::kPassEnd), DeliveryFault::kNone);
  platform.EndStopWatch();

  const int escape = XKeysymToKeycode(other_.display(), XK_Escape);
  XGrabKey(other_.display(), escape, 0, other_.Root(), False, GrabModeAsync, GrabModeAsync);
  XSync(other_.display(), False);
  platform.BeginStopWatch();
  EXPECT_EQ(platform.CheckDelivery(DeliveryCheck::kBeforeInput), DeliveryFault::kInputBlocked);
  platform.EndStopWatch();
  XUngrabKey(other_.display(), escape, 0, other_.Root());
  XSync(other_.display(), False);
  platform.BeginStopWatch();
  EXPECT_EQ(platform.CheckDelivery(DeliveryCheck::kBeforeInput), DeliveryFault::kNone);

  platform.SetCursorPos(field_.x(), field_.y());
  platform.MouseEvent(kLeftDown | kLeftUp);
  const auto read = [](const QStringList& args) {
    QProcess xclip;
    xclip.start(u"xclip"_s, QStringList{u"-o"_s, u"-selection"_s, u"clipboard"_s} + args);
    QTest::qWaitFor([&] { return xclip.state() == QProcess::NotRunning; }, 10000);
    return QString::fromUtf8(xclip.readAllStandardOutput());
  };
  const auto pass = [&](qsizetype lines) {
    PasteChord(platform);
    const DeliveryFault fault = platform.CheckDelivery(DeliveryCheck::kPassEnd);
    for (bool up : {false, true}) platform.KeyEvent(13, up);  // ends the pass's line
    QString text;
    EXPECT_TRUE(QTest::qWaitFor([&] { return (text = ReadUtf8(output_)).count('\n') == lines; }, 10000));
    return std::pair{fault, text.split('\n').value(lines - 1)};
  };
  platform.SetClipboardText(u"甲"_s.toStdU16String());
  EXPECT_TRUE(read({u"-t"_s, u"TARGETS"_s}).contains(u"\nx-kde-passwordManagerHint\n"_s));
  EXPECT_EQ(read({u"-t"_s, u"x-kde-passwordManagerHint"_s}), u"secret"_s);
  EXPECT_EQ(pass(1), std::pair(DeliveryFault::kNone, u"甲"_s));

  QProcess intruder;
  intruder.start(u"bash"_s, {u"-c"_s, u"while :; do printf STOLEN | xclip -quiet -selection clipboard -i; done"_s});
  int delivered = 0, stolen = 0;
  for (int n = 2; n <= 201; ++n) {
    const QString record = u"记录%1"_s.arg(n);
    platform.SetClipboardText(record.toStdU16String());
    ASSERT_TRUE(QTest::qWaitFor([] { return !QGuiApplication::clipboard()->ownsClipboard(); }, 10000));
    const auto [fault, line] = pass(n);
    EXPECT_EQ(fault == DeliveryFault::kNone, line == record) << n << ": " << line.toStdString();
    delivered += line == record;
    stolen += line == u"STOLEN"_s;
  }
  intruder.kill();
  intruder.waitForFinished();
  other_.TakeClipboard();  // the last xclip ends when it loses the clipboard
  platform.EndStopWatch();
  EXPECT_GT(stolen, 0) << "the intruder never won a race (" << delivered << " passes delivered)";
}

// The progress badge (what it says is unit tested) shows during each pass,
// stays above the target without taking the focus, lets a click through to
// the target and is gone once the run ends.
TEST_F(RunControlTest, TheBadgeShowsAboveTheTargetInEachPassLetsClicksThroughAndGoesWithTheRun) {
  const Window target = TargetWindow();
  ASSERT_NE(target, 0u) << "the window manager does not list the target";
  // The target fills the screen, so the badge's corner lies over it.
  other_.AddState(target, "_NET_WM_STATE_MAXIMIZED_VERT", "_NET_WM_STATE_MAXIMIZED_HORZ");
  ASSERT_TRUE(QTest::qWaitFor([&] {
    return other_.AtomNames(target, "_NET_WM_STATE").contains("_NET_WM_STATE_MAXIMIZED_HORZ");
  })) << "the target was not maximized";

  Records({u"甲"_s, u"乙"_s, u"丙"_s}, {true, true, true});
  Actions({clickLine_, u"复制内容"_s, u"粘贴内容"_s, u"等候时长 1"_s});
  RunBadge* badge = testing::TopLevel<RunBadge>();
  ASSERT_NE(badge, nullptr);
  const Window badgeWindow = badge->winId();

  // Each time the target shows one more record, the badge is looked at.
  int shownInPasses = 0;
  QRect badgeArea;
  QPoint badgeCentre;
  bool clickedThrough = false;
  Window cover = 0;
  qsizetype seen = 0;
  QTimer watch;
  QObject::connect(&watch, &QTimer::timeout, [&] {
    if (clickedThrough && cover == 0 && Events().contains(u"press 2"_s)) {
      // Once the click has arrived, another window comes on top of the
      // badge; by the next pass the badge is above it again.
      cover = other_.MapUnmanagedOnTop(badgeCentre.x() - 20, badgeCentre.y() - 10, 40, 20);
    }
    const qsizetype delivered = ReadUtf8(output_).size();
    if (delivered == seen || form_.isVisible()) return;
    seen = delivered;
    shownInPasses += badge->isVisible() && other_.Viewable(badgeWindow);
    EXPECT_GT(other_.StackPosition(badgeWindow), other_.StackPosition(target)) << "under the target";
    if (cover != 0) EXPECT_GT(other_.StackPosition(badgeWindow), other_.StackPosition(cover)) << "under the cover";
    EXPECT_FALSE(other_.HasFocus(badgeWindow));
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
  EXPECT_EQ(shownInPasses, 3);
  EXPECT_FALSE(badgeArea.contains(field_ / badge->devicePixelRatio())) << "the badge covers the click position";
  // The cover came once the target's log listed the right click (button 2
  // in Qt's numbering).
  EXPECT_NE(cover, 0u) << "the click stopped at the badge";
  EXPECT_FALSE(badge->isVisible() || other_.Viewable(badgeWindow));
}

// A form that comes back a random 0.1 to 2 seconds after each submission.
struct ScreenWaitRunTest : testing::FormRunTest {
  ScreenWaitRunTest() { targetProgram_ = QStringLiteral(TAVORIN_SLOW_FORM); }
};

// No fixed wait: every record arrives, in order, and from the first to the
// last the run takes at most a tenth longer than the form's delays and the
// lines' own pauses. Stuck, the form stops the run T seconds after the
// record that got it stuck, and that pass counts.
TEST_F(ScreenWaitRunTest, TheRunFollowsTheFormAndStopsWhenItIsStuck) {
  QProcess busy[2];
  for (auto& loop : busy) loop.start(u"sh"_s, {u"-c"_s, u"exec yes >/dev/null"_s});
  const QStringList at = ReadUtf8(output_ + u".area"_s).split(' ');
  const ScreenRect area{at[0].toInt(), at[1].toInt(), at[2].toInt(), at[3].toInt()};
  form_.hide();  // the form as the picker would see it
  ASSERT_TRUE(QTest::qWaitFor([&] { return !other_.Viewable(form_.winId()); }));
  const std::vector<std::uint32_t> ready = ReadRootArea(other_.display(), area);
  form_.show();
  const auto actions = [&](const char16_t* seconds) {
    form_.controls().list3.Clear();
    Actions({QString::fromStdU16String(ScreenWaitLine(area, ready, seconds)), clickLine_, u"复制内容"_s,
             u"粘贴内容"_s, u"按下按键 13"_s});
  };
  const auto numbers = [&](const QString& file) {
    std::vector<double> values;
    for (const QString& line : ReadUtf8(output_ + file).split('\n', Qt::SkipEmptyParts)) values.push_back(line.toDouble());
    return values;
  };
  QStringList texts;
  for (int i = 1; i <= 8; ++i) texts << u"第%1条"_s.arg(i);
  Records(texts, QList<bool>(8, true));
  actions(u"10");
  Start();
  EXPECT_EQ(ReadUtf8(output_), texts.join('\n') + '\n');
  ASSERT_TRUE(QTest::qWaitFor([&] { return numbers(u".delays"_s).size() == 8; }));  // back from the last
  const std::vector<double> delays = numbers(u".delays"_s), times = numbers(u".times"_s);
  const double loading = std::accumulate(delays.begin(), delays.begin() + 7, 0.0);
  EXPECT_LE(times[7] - times[0], 1.1 * (loading + 7 * 400)) << "the form loaded for " << loading << " ms";

  QFile stuck(output_ + u".stuck"_s);
  ASSERT_TRUE(stuck.open(QIODevice::WriteOnly));
  double boxAt = 0;
  boxes_.onFocused = [&](QMessageBox&) { boxAt = QDateTime::currentMSecsSinceEpoch(); };
  actions(u"2.5");
  Start();
  EXPECT_EQ(ReadUtf8(output_), texts.join('\n') + u"\n第1条\n"_s);
  EXPECT_EQ(boxes_.texts.last(), u"第 1 行等候画面超时（2.5 秒）：画面与记录时不同。执行已停止：已完成 1 次，共 8 次。"_s);
  EXPECT_GE(boxAt - numbers(u".times"_s).back(), 2500);
  EXPECT_LE(boxAt - numbers(u".times"_s).back(), 2500 + 1000);
}

}  // namespace
}  // namespace tavorin

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
