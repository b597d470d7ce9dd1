// Drives a real target program on a real X display through the command
// interpreter and the X11 platform, then checks what the target received.
// Run it through run_on_xvfb.sh; without a display it fails.

#include <QApplication>
#include <QTimer>

#include "core/execution/command_interpreter.h"
#include "platform/x11/x11_platform.h"
#include "target_program_test.h"

// Last: Xlib's macros (None, Bool...) break the gtest and Qt headers.
#include <X11/Xlib.h>
#include <X11/keysym.h>

#include <chrono>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace tavorin {
namespace {

using Clock = std::chrono::steady_clock;
using testing::ReadUtf8;

std::u16string U16(const QString& text) { return text.toStdU16String(); }

// The core keymap as the server reports it now, read on a connection of its own.
std::vector<KeySym> ServerKeymap() {
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) return {};
  int min = 0, max = 0, perKeycode = 0;
  XDisplayKeycodes(display, &min, &max);
  KeySym* map = XGetKeyboardMapping(display, static_cast<KeyCode>(min), max - min + 1, &perKeycode);
  std::vector<KeySym> copy(map, map + (max - min + 1) * perKeycode);
  XFree(map);
  XCloseDisplay(display);
  return copy;
}

class X11EndToEndTest : public testing::TargetProgramTest {
 protected:
  void SetUp() override {
    TargetProgramTest::SetUp();
    if (HasFatalFailure()) return;
    events_ = output_ + QStringLiteral(".events");
    ASSERT_NO_THROW(platform_ = std::make_unique<X11Platform>());
  }

  void TearDown() override {
    platform_.reset();
    TargetProgramTest::TearDown();
  }

  void Run(const std::u16string& command) { ExecuteCommand(*platform_, command); }

  void FocusField() {
    Run(u"p " + U16(QString::number(field_.x())) + u" " + U16(QString::number(field_.y())));
    Run(u"l");
  }

  // Waits, serving the clipboard all the while, until the file holds
  // `expected`; returns what it held last.
  QString WaitForFile(const QString& path, const std::function<bool(const QString&)>& done,
                      std::chrono::seconds timeout = std::chrono::seconds(10)) {
    const auto deadline = Clock::now() + timeout;
    QString text = ReadUtf8(path);
    while (!done(text) && Clock::now() < deadline) {
      platform_->Sleep(20);
      text = ReadUtf8(path);
    }
    return text;
  }
  QString WaitForText(const QString& expected) {
    return WaitForFile(output_, [&](const QString& text) { return text == expected; });
  }

  QString events_;
  std::unique_ptr<X11Platform> platform_;
};

TEST_F(X11EndToEndTest, PastesMixedTextThenTypesKeyChords) {
  FocusField();
  Display* display = XOpenDisplay(nullptr);
  ASSERT_NE(display, nullptr);
  Window root, child;
  int rootX = -1, rootY = -1, winX, winY;
  unsigned mask;
  XQueryPointer(display, DefaultRootWindow(display), &root, &child, &rootX, &rootY, &winX, &winY,
                &mask);
  XCloseDisplay(display);
  EXPECT_EQ(rootX, field_.x());
  EXPECT_EQ(rootY, field_.y());
  EXPECT_EQ(mask & (Button1Mask | Button2Mask | Button3Mask), 0u) << "a button stayed down";

  Run(u"t 你好，世界 hello 123");
  Run(u"k 13");
  Run(u"k 65 1");
  EXPECT_EQ(WaitForText(QStringLiteral("你好，世界 hello 123\nA")),
            QStringLiteral("你好，世界 hello 123\nA"));

  // Ctrl+A must select (not type "a" or "A"), so the paste replaces everything.
  Run(u"k 65 2");
  Run(u"t 替换 replaced");
  EXPECT_EQ(WaitForText(QStringLiteral("替换 replaced")), QStringLiteral("替换 replaced"));
  // A cleared clipboard pastes nothing: only the A typed after it arrives.
  platform_->ClearClipboard();
  Run(u"k 86 2");
  Run(u"k 65 1");
  EXPECT_EQ(WaitForText(QStringLiteral("替换 replacedA")), QStringLiteral("替换 replacedA"));
}

// Lines of mixed Chinese and ASCII text, at least `bytes` long in UTF-8.
QString MixedLines(int bytes) {
  QString text;
  text.reserve(bytes);
  for (int line = 0; text.size() * 4 / 3 < bytes; ++line) {
    text += QStringLiteral("第%1行 line %1 的内容 content\n").arg(line);
  }
  return text + QStringLiteral("末尾");
}

TEST_F(X11EndToEndTest, HugePasteTravelsInIncrementsAndArrivesWhole) {
  // Qt sends a selection in one property up to the server's largest request
  // (16 MB with BIG-REQUESTS); beyond that the target must fetch it in
  // increments, each one answered by our event loop during the pauses.
  const QString huge = MixedLines(17 * 1024 * 1024);
  ASSERT_GT(huge.toUtf8().size(), 16 * 1024 * 1024);
  FocusField();
  Run(u"t " + U16(huge));
  const QString got = WaitForFile(
      output_, [&](const QString& text) { return text.size() >= huge.size(); },
      std::chrono::seconds(120));
  EXPECT_EQ(got.size(), huge.size());
  EXPECT_TRUE(got == huge) << "the pasted text differs from the clipboard text";
}

TEST_F(X11EndToEndTest, KeyMissingFromTheKeymapIsBoundOnlyForItsTap) {
  // F13 (virtual key 124) has no keycode in the us keymap of Xvfb.
  const std::vector<KeySym> before = ServerKeymap();
  ASSERT_FALSE(before.empty());
  for (KeySym keysym : before) ASSERT_NE(keysym, static_cast<KeySym>(XK_F13)) << "F13 is mapped";

  FocusField();
  Run(u"k 124");
  Run(u"k 124 1");
  const QString events = WaitForFile(
      events_, [](const QString& text) { return text.count(QStringLiteral("key F13")) >= 2; });
  EXPECT_EQ(events.count(QStringLiteral("key F13")), 2) << "seen: " << events.toStdString();
  EXPECT_TRUE(ServerKeymap() == before) << "the borrowed keycode was not unbound";
}

TEST_F(X11EndToEndTest, ClicksUseTheirButtonsAndDoubleClickIsOne) {
  FocusField();
  Run(u"r");
  Run(u"m");
  Run(u"d");
  // Qt numbers the buttons 1 left, 2 right, 4 middle.
  const QString expected = QStringLiteral("press 1\npress 2\npress 4\npress 1\ndouble 1");
  EXPECT_EQ(WaitForFile(events_, [&](const QString& text) { return text.size() >= expected.size(); }),
            expected);
}

TEST_F(X11EndToEndTest, PausesLastTheirTimeAndNest) {
  using std::chrono::milliseconds;
  auto timed = [&](int ms) {
    const auto start = Clock::now();
    platform_->Sleep(ms);
    return Clock::now() - start;
  };
  EXPECT_LT(timed(0), milliseconds(1));
  EXPECT_LT(timed(-20), milliseconds(1));
  const auto thirty = timed(30);
  EXPECT_GE(thirty, milliseconds(30));
  EXPECT_LT(thirty, milliseconds(500));

  // A timer that pauses again inside a pause: both still last their time.
  Clock::duration inner{};
  QTimer::singleShot(5, [&] { inner = timed(10); });
  const auto outer = timed(40);
  EXPECT_GE(inner, milliseconds(10));
  EXPECT_GE(outer, milliseconds(40));
  EXPECT_LT(outer, milliseconds(500));
}

}  // namespace
}  // namespace tavorin

int main(int argc, char** argv) {
  if (std::getenv("DISPLAY") == nullptr) {
    std::fprintf(stderr, "no DISPLAY: run this test through run_on_xvfb.sh\n");
    return 1;
  }
  // The clipboard and XTest need the real X server, never the offscreen platform.
  qputenv("QT_QPA_PLATFORM", "xcb");
  QApplication app(argc, argv);
  if (QGuiApplication::platformName() != QLatin1String("xcb")) {
    std::fprintf(stderr, "Qt is not on the xcb platform\n");
    return 1;
  }
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
