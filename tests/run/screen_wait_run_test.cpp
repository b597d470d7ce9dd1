// Runs that wait for the screen, against a form that comes back a random
// 0.1 to 2 seconds after each submission, on a machine kept busy: the run
// follows the form, and stops when it does not come back.
#include <QtWidgets>
#include <QtTest>

#include "core/actions/screen_wait_line.h"
#include "platform/x11/x11_screen_area.h"
#include "form_run_test.h"

namespace tavorin {
namespace {

using testing::ReadUtf8;
using namespace Qt::StringLiterals;
using ScreenWaitRunTest = testing::FormRunTest;

// No fixed wait: every record arrives, in order, and the run takes at most
// a tenth longer than the form's delays and the lines' own pauses. Stuck,
// the form stops the run T seconds after the record that got it stuck.
TEST_F(ScreenWaitRunTest, TheRunFollowsTheFormAndStopsWhenItIsStuck) {
  QProcess busy[2];
  for (auto& loop : busy) loop.start(u"sh"_s, {u"-c"_s, u"exec yes >/dev/null"_s});
  const QStringList at = ReadUtf8(output_ + u".area"_s).split(' ');
  const ScreenRect area{at[0].toInt(), at[1].toInt(), at[2].toInt(), at[3].toInt()};
  form_.hide();  // the form as the picker would see it
  ASSERT_TRUE(QTest::qWaitFor([&] { return !other_.Viewable(form_.winId()); }));
  const std::vector<std::uint32_t> ready = ReadRootArea(other_.display(), area);
  form_.show();
  const auto run = [&](int records, const char16_t* seconds) {
    form_.controls().list1.Clear();
    form_.controls().list3.Clear();
    form_.controls().text3.SetText(u"");
    QStringList texts;
    for (int i = 1; i <= records; ++i) texts << u"第%1条"_s.arg(i);
    Records(texts, QList<bool>(records, true));
    Actions({QString::fromStdU16String(ScreenWaitLine(area, ready, seconds)), clickLine_, u"复制内容"_s,
             u"粘贴内容"_s, u"按下按键 13"_s});
    // From the window going to its coming back, or to the box after a stop.
    QElapsedTimer clock;
    qint64 hidden = -1, shown = -1;
    const qsizetype boxes = boxes_.texts.size() + 1;  // the question
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
      if (hidden < 0 && !form_.isVisible()) hidden = clock.elapsed();
      if (hidden >= 0 && shown < 0 && (form_.isVisible() || boxes_.texts.size() > boxes)) shown = clock.elapsed();
    });
    clock.start();
    watch.start(1);
    Start();
    if (shown < 0 && form_.isVisible()) shown = clock.elapsed();  // back before the watch looked
    EXPECT_GE(hidden, 0);
    return std::pair(texts.join('\n') + '\n', shown - hidden);
  };
  const auto [sent, took] = run(8, u"10");
  EXPECT_EQ(ReadUtf8(output_), sent);
  const QStringList delays = ReadUtf8(output_ + u".delays"_s).split('\n', Qt::SkipEmptyParts);
  ASSERT_GE(delays.size(), 7);
  double waited = 0;
  for (int i = 0; i < 7; ++i) waited += delays[i].toInt();  // the last one comes after the run
  EXPECT_LE(took, 1.1 * (waited + 8 * 400)) << "the form's delays took " << waited << " ms";

  // Once the form is back from the first run, it gets stuck at the next record.
  ASSERT_TRUE(QTest::qWaitFor([&] { return ReadUtf8(output_ + u".delays"_s).count('\n') == 8; }));
  QFile stuck(output_ + u".stuck"_s);
  ASSERT_TRUE(stuck.open(QIODevice::WriteOnly));
  const auto [_, stuckTook] = run(3, u"2.5");
  EXPECT_EQ(ReadUtf8(output_), sent + u"第1条\n"_s);
  EXPECT_EQ(boxes_.texts.last(), u"第 1 行等候画面超时（2.5 秒）：画面与记录时不同。执行已停止：已完成 1 次，共 3 次。"_s);
  EXPECT_GE(stuckTook, 400 + 2500);
  EXPECT_LE(stuckTook, 400 + 2500 + 1000);
  for (auto& loop : busy) loop.kill();
  for (auto& loop : busy) loop.waitForFinished();
}

}  // namespace
}  // namespace tavorin

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
