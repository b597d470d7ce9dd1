// The Windows platform layer on a real (Wine) desktop: where the pointer
// lands, what pauses serve and keep back, the clipboard, error boxes and
// window stacking. The stop key is tried in runs, against the sample form.

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

#include "platform/win32/clipboard_text.h"
#include "platform/win32/pointer_input.h"
#include "platform/win32/pumping_pause.h"
#include "platform/win32/win32_platform.h"
#include "platform/win32/window_stacking.h"
#include "wine_desktop.h"

namespace tavorin {
namespace {

using namespace std::chrono_literals;
using testing::TestWindow;
using Clock = std::chrono::steady_clock;

double MillisecondsSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

POINT CursorPosition() {
  POINT point{};
  GetCursorPos(&point);
  return point;
}

std::u16string ClipboardText() {
  std::u16string text;
  if (!OpenClipboard(nullptr)) return u"(locked)";
  if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
    text = static_cast<const char16_t*>(GlobalLock(data));
    GlobalUnlock(data);
  }
  CloseClipboard();
  return text;
}

// Holds the clipboard open from another thread for `hold`.
std::thread HoldClipboard(std::chrono::milliseconds hold, std::atomic<bool>& holding) {
  return std::thread([hold, &holding] {
    if (!OpenClipboard(nullptr)) return;
    holding = true;
    std::this_thread::sleep_for(hold);
    CloseClipboard();
  });
}

TEST(PointerInputTest, AbsoluteMovesLandOnCornersAndOddPixels) {
  const int width = GetSystemMetrics(SM_CXVIRTUALSCREEN);
  const int height = GetSystemMetrics(SM_CYVIRTUALSCREEN);
  const POINT targets[] = {{0, 0},         {width - 1, height - 1}, {width - 1, 0}, {0, height - 1},
                           {1, 1},         {333, 777},              {width / 2, height / 2}};
  for (const POINT target : targets) {
    // The mapping alone, without MovePointer's correction.
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = AbsoluteAxisValue(target.x, GetSystemMetrics(SM_XVIRTUALSCREEN), width);
    input.mi.dy = AbsoluteAxisValue(target.y, GetSystemMetrics(SM_YVIRTUALSCREEN), height);
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_VIRTUALDESK;
    ASSERT_EQ(SendInput(1, &input, sizeof input), 1u);
    const POINT landed = CursorPosition();
    EXPECT_EQ(landed.x, target.x);
    EXPECT_EQ(landed.y, target.y);
  }
  MovePointer(-5, 100000);
  EXPECT_EQ(CursorPosition().x, 0);
  EXPECT_EQ(CursorPosition().y, height - 1);
}

class PumpingPauseTest : public ::testing::Test {
 protected:
  void SetUp() override {
    window_.onMessage = [this](UINT message, WPARAM, LPARAM) {
      if (message == WM_APP) ++posted_;
      if (message == WM_APP + 1) ++sent_;
      if (message == WM_KEYDOWN) ++keys_;
    };
    ASSERT_TRUE(window_.ShowInFront());
  }

  TestWindow window_{100, 100, 300, 200};
  PumpingPause pause_;
  int posted_ = 0;
  int sent_ = 0;
  int keys_ = 0;
};

TEST_F(PumpingPauseTest, ServesPostedAndSentMessagesAndLeavesInputQueued) {
  const HWND target = window_.handle;
  std::atomic<bool> running{true};
  std::atomic<bool> sentAnswered{false};
  std::thread other([&] {
    for (int i = 0; running; ++i) {
      PostMessageW(target, WM_APP, 0, 0);
      if (i == 5) {
        INPUT key[2] = {};
        key[0].type = key[1].type = INPUT_KEYBOARD;
        key[0].ki.wVk = key[1].ki.wVk = 'Q';
        key[1].ki.dwFlags = KEYEVENTF_KEYUP;
        SendInput(2, key, sizeof(INPUT));
        DWORD_PTR result = 0;
        sentAnswered = SendMessageTimeoutW(target, WM_APP + 1, 0, 0, SMTO_NORMAL, 1000, &result) != 0;
      }
      std::this_thread::sleep_for(2ms);
    }
  });
  const auto start = Clock::now();
  EXPECT_TRUE(pause_.Wait(300));
  const double took = MillisecondsSince(start);
  running = false;
  other.join();

  EXPECT_GE(took, 300);
  EXPECT_LT(took, 400);
  EXPECT_GT(posted_, 20) << "posted messages waited for the end of the pause";
  EXPECT_TRUE(sentAnswered);
  EXPECT_EQ(sent_, 1);
  EXPECT_EQ(keys_, 0) << "user input was dispatched during the pause";
  MSG message;
  EXPECT_TRUE(PeekMessageW(&message, target, WM_KEYDOWN, WM_KEYDOWN, PM_NOREMOVE));
}

TEST_F(PumpingPauseTest, InterruptEndsItEarlyAndAQuitIsKeptForTheProgram) {
  HANDLE interrupt = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  std::thread other([interrupt] {
    std::this_thread::sleep_for(50ms);
    SetEvent(interrupt);
  });
  auto start = Clock::now();
  EXPECT_FALSE(pause_.Wait(3000, interrupt));
  EXPECT_LT(MillisecondsSince(start), 500);
  other.join();
  start = Clock::now();
  EXPECT_FALSE(pause_.Wait(3000, interrupt)) << "an interrupt already given ends the pause at once";
  EXPECT_LT(MillisecondsSince(start), 100);
  CloseHandle(interrupt);

  PostQuitMessage(7);
  EXPECT_TRUE(pause_.Wait(20));
  MSG message;
  ASSERT_TRUE(PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(message.wParam, 7u);
}

TEST_F(PumpingPauseTest, ShortPausesKeepTheirLength) {
  std::vector<double> taken;
  for (int i = 0; i < 30; ++i) {
    const auto start = Clock::now();
    pause_.Wait(10);
    taken.push_back(MillisecondsSince(start));
  }
  std::sort(taken.begin(), taken.end());
  EXPECT_GE(taken.front(), 9.9);
  EXPECT_LT(taken[taken.size() / 2], 12) << "a pause follows a coarse timer tick";
}

TEST(ClipboardTextTest, WaitsOutABriefHolderAndGivesUpOnALongOne) {
  TestWindow owner(0, 0, 10, 10);
  ASSERT_TRUE(SetClipboardTextWaiting(owner.handle, u"before", 1000ms));

  std::atomic<bool> holding{false};
  std::thread brief = HoldClipboard(200ms, holding);
  while (!holding) std::this_thread::yield();
  auto start = Clock::now();
  EXPECT_TRUE(SetClipboardTextWaiting(owner.handle, u"after", 2000ms));
  EXPECT_GE(MillisecondsSince(start), 150);
  brief.join();
  EXPECT_EQ(ClipboardText(), u"after");

  holding = false;
  std::thread longer = HoldClipboard(1500ms, holding);
  while (!holding) std::this_thread::yield();
  start = Clock::now();
  EXPECT_FALSE(SetClipboardTextWaiting(owner.handle, u"lost", 300ms));
  EXPECT_FALSE(EmptyClipboardWaiting(owner.handle, 300ms));
  EXPECT_LT(MillisecondsSince(start), 1200);
  longer.join();
  EXPECT_EQ(ClipboardText(), u"after");

  ASSERT_TRUE(EmptyClipboardWaiting(owner.handle, 1000ms));
  EXPECT_FALSE(IsClipboardFormatAvailable(CF_UNICODETEXT));
}

// What a user sees of a message box: found by its caption.
struct BoxSeen {
  std::wstring text;
  bool topmost = false;
  bool inFront = false;
};

// Waits for the error box, notes how it stands, and answers it with the
// user's Esc.
std::thread AnswerErrorBoxWithEsc(BoxSeen& seen, std::atomic<bool>& answered) {
  return std::thread([&seen, &answered] {
    for (int i = 0; i < 500 && !answered; ++i) {
      const HWND box = FindWindowW(L"#32770", L"错误");
      if (box != nullptr && IsWindowVisible(box) && GetForegroundWindow() == box) {
        wchar_t text[256] = {};
        GetDlgItemTextW(box, 0xFFFF, text, 256);  // the box's message
        seen.text = text;
        seen.topmost = (GetWindowLongW(box, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
        seen.inFront = true;
        testing::TapUsersEscape();
        answered = true;
      }
      std::this_thread::sleep_for(20ms);
    }
  });
}

TEST(Win32PlatformTest, ALockedClipboardBringsAnErrorBoxInFrontThatEscAnswers) {
  Win32Platform platform;
  TestWindow other(50, 50, 400, 300);
  ASSERT_TRUE(other.ShowInFront());
  platform.BeginStopWatch();

  std::atomic<bool> holding{false};
  std::thread holder = HoldClipboard(4000ms, holding);
  while (!holding) std::this_thread::yield();
  BoxSeen seen;
  std::atomic<bool> answered{false};
  std::thread answerer = AnswerErrorBoxWithEsc(seen, answered);
  const auto start = Clock::now();
  platform.SetClipboardText(u"never");
  const double took = MillisecondsSince(start);
  answered = true;
  answerer.join();
  holder.join();

  EXPECT_GE(took, 1000) << "gave up before waiting for the holder";
  EXPECT_EQ(seen.text, L"无法写入剪贴板：另一个程序一直占用着它。");
  EXPECT_TRUE(seen.inFront);
  EXPECT_TRUE(seen.topmost);
  EXPECT_FALSE(platform.StopRequested()) << "the Esc that answered the box stopped the run";
  platform.EndStopWatch();
}

TEST(WindowStackingTest, TopmostAndBackWithoutMovingOrActivating) {
  TestWindow front(400, 300, 300, 200);
  TestWindow stacked(123, 77, 250, 150);
  ShowWindow(stacked.handle, SW_SHOWNOACTIVATE);
  ASSERT_TRUE(front.ShowInFront());
  RECT before{};
  GetWindowRect(stacked.handle, &before);

  for (const bool topmost : {true, false}) {
    if (topmost) {
      MakeTopmost(stacked.handle);
    } else {
      MakeNotTopmost(stacked.handle);
    }
    testing::Pump(100);
    EXPECT_EQ((GetWindowLongW(stacked.handle, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0, topmost);
    RECT after{};
    GetWindowRect(stacked.handle, &after);
    EXPECT_TRUE(EqualRect(&before, &after)) << "the window moved";
    EXPECT_EQ(GetForegroundWindow(), front.handle) << "the window took the focus";
    EXPECT_TRUE(IsWindowVisible(stacked.handle));
  }
}

}  // namespace
}  // namespace tavorin
