// The Windows platform layer on a Wine desktop (Xvfb with a window manager),
// in runs through the core's run controller against the Windows sample form,
// another Wine process. The user's keys come from xdotool on the X server.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <io.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "core/execution/command_interpreter.h"
#include "core/interfaces/memory_list_box.h"
#include "core/run/run_controller.h"
#include "fake_controls.h"
#include "fake_message_boxes.h"
#include "fake_run_window.h"
#include "platform/win32/win32_platform.h"
#include "win32/wide_text.h"

namespace tavorin {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

std::string ReadBytes(const std::wstring& path) {
  std::ifstream file(std::filesystem::path(path), std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// Polls `done` every 20 ms for up to 10 s; returns its last answer.
bool WaitFor(const std::function<bool()>& done) {
  for (int i = 0; i < 500; ++i, Sleep(20)) {
    if (done()) return true;
  }
  return done();
}

// Starts a command line, its standard output on `out` when given.
bool Spawn(std::wstring line, PROCESS_INFORMATION& process, HANDLE out = nullptr) {
  STARTUPINFOW startup{.cb = sizeof startup, .dwFlags = out != nullptr ? STARTF_USESTDHANDLES : 0u,
                       .hStdOutput = out, .hStdError = GetStdHandle(STD_ERROR_HANDLE)};
  return CreateProcessW(nullptr, line.data(), nullptr, nullptr, out != nullptr, 0, nullptr, nullptr, &startup,
                        &process);
}

// Starts a command line of the Linux host through its shell. Wine starts a
// Unix program named by its path but cannot wait for it: its effects are to
// be observed.
bool StartHostCommand(const std::string& command) {
  PROCESS_INFORMATION process{};
  const bool started = Spawn(Utf8ToWide("/bin/sh -c \"" + command + "\""), process);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return started;
}

// Runs a command line of the Linux host and returns its exit status, or -1
// when it did not end within 10 s. Wine cannot wait for a Unix process, so
// the shell leaves the status in a file.
int RunHostCommand(const std::string& command) {
  static std::atomic<int> runs{0};
  const std::string status = "/tmp/tavorin-rc-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++runs);
  if (!StartHostCommand(command + "; echo $? > " + status + ".new && mv " + status + ".new " + status)) return -1;
  const std::wstring file = L"Z:" + Utf8ToWide(status);  // Z: is the host's root
  std::string text;
  WaitFor([&] { return !(text = ReadBytes(file)).empty(); });
  DeleteFileW(file.c_str());
  return text.empty() ? -1 : std::atoi(text.c_str());
}

// A tap of Esc on the X server's keyboard, as a user's key. Wine sees X keys
// only through its own windows, so the X focus is first put on the window in
// front, as it is on a desktop where the user types; a window not yet mapped
// refuses it, and the tap is tried again.
bool TapUsersEscape() {
  std::string command = TAVORIN_XDOTOOL;
  const HWND front = GetAncestor(GetForegroundWindow(), GA_ROOT);
  if (const auto x = reinterpret_cast<ULONG_PTR>(GetPropW(front, L"__wine_x11_whole_window"))) {
    command += " windowfocus --sync " + std::to_string(x);
  }
  for (int i = 0; i < 5; ++i, Sleep(100)) {
    if (RunHostCommand(command + " keydown Escape keyup Escape") == 0) return true;
  }
  return false;
}

// Does `act` while another thread holds the clipboard open for `hold`,
// after emptying it when `take` is set.
void WhileClipboardHeld(std::chrono::milliseconds hold, const std::function<void()>& act, bool take = false) {
  std::atomic<bool> open{false};
  std::jthread holder([hold, take, &open] {
    OpenClipboard(nullptr);
    if (take) EmptyClipboard();
    open = true;
    std::this_thread::sleep_for(hold);
    CloseClipboard();
  });
  while (!open) Sleep(1);
  act();
}

class SampleFormRunTest : public ::testing::Test {
 protected:
  void SetUp() override {
    output_ = std::filesystem::temp_directory_path() /
              ("tavorin-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(GetTickCount64()) + ".txt");
    // The form says on its output where its field is, once it is in front
    // with the focus.
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE readEnd = nullptr, writeEnd = nullptr;
    ASSERT_TRUE(CreatePipe(&readEnd, &writeEnd, &inherit, 0));
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    const bool started = Spawn(L"\"Z:" + Utf8ToWide(TAVORIN_SAMPLE_FORM) + L"\" \"" + output_ + L"\"", form_, writeEnd);
    CloseHandle(writeEnd);
    FILE* said = _fdopen(_open_osfhandle(reinterpret_cast<intptr_t>(readEnd), _O_RDONLY), "r");
    const int read = std::fscanf(said, "ready %d %d", &fieldX_, &fieldY_);
    std::fclose(said);
    ASSERT_TRUE(started) << "the sample form did not start";
    ASSERT_EQ(read, 2) << "the form did not say where its field is";
  }

  void TearDown() override {
    // A target that died would make every "nothing arrived" check pass.
    EXPECT_EQ(WaitForSingleObject(form_.hProcess, 0), static_cast<DWORD>(WAIT_TIMEOUT)) << "the form died";
    TerminateProcess(form_.hProcess, 0);
    WaitForSingleObject(form_.hProcess, 5000);
    CloseHandle(form_.hProcess);
    CloseHandle(form_.hThread);
    for (const std::wstring& file : {output_, output_ + L".events"}) DeleteFileW(file.c_str());
  }

  static std::u16string ClickLine(POINT at) {
    return FromWide(Utf8ToWide("点击位置 " + std::to_string(at.x) + " " + std::to_string(at.y)));
  }
  std::string Text() const { return ReadBytes(output_); }
  // The events the form logged that `keep` accepts, once there are `count`.
  std::vector<std::string> Events(const std::function<bool(const std::string&)>& keep, std::size_t count) const {
    std::vector<std::string> events;
    WaitFor([&] {
      events.clear();
      std::istringstream lines(ReadBytes(output_ + L".events"));
      for (std::string event; std::getline(lines, event);) {
        if (keep(event)) events.push_back(event);
      }
      return events.size() >= count;
    });
    return events;
  }

  std::wstring output_;
  PROCESS_INFORMATION form_{};
  int fieldX_ = 0, fieldY_ = 0;

  MemoryListBox list1_, list2_, list3_, list4_;
  testing::FakeTextBox text3_, text4_, text5_;
  RunControls controls_{list1_, list2_, list3_, list4_, text3_, text4_, text5_};
  testing::RecordingPlatform hideAndShow_;  // the window's notes, not looked at
  testing::FakeRunWindow window_{hideAndShow_};
  testing::FakeMessageBoxes boxes_;
  SystemClock clock_;
  Win32Platform platform_;
  RunController controller_{controls_, window_, boxes_, clock_, [this] { return &platform_; }};
};

// The E0 keys (navigation block, right Ctrl, the ends of the media block,
// but not the key past it) must arrive flagged as extended, or they act as
// their keypad twins. Clicks land on exact pixels and leave no button down.
TEST_F(SampleFormRunTest, TextOutsideGbkKeysAndClicksArriveIntactAndTheRunsOwnEscPasses) {
  const POINT points[] = {{fieldX_, fieldY_}, {fieldX_ - 250, fieldY_ - 150}, {fieldX_ + 237, fieldY_ + 101},
                          {fieldX_ + 1, fieldY_ - 1}};
  testing::Fill(list1_, {u"张三，北京市海淀区ZGC大街1号", u"李四 😀𠀀 €５", u"第%i遍 한국어 ✓"}, true);
  testing::Fill(list3_, {ClickLine(points[0]), u"复制内容", u"粘贴内容", u"按下按键 36", u"插入内容 [",
                         u"按下按键 35", u"按下按键 39", u"按下按键 45", u"按下按键 163", u"按下按键 166",
                         u"按下按键 183", u"按下按键 184", u"插入内容 ]", u"按下按键 27", u"按下按键 13",
                         ClickLine(points[1]), ClickLine(points[2]), ClickLine(points[3]),
                         // Longer than Windows' double-click time: the next pass's first click is one of its
                         // own (a pause cut short shows as a double click).
                         u"等候时长 0.6"});
  controller_.Start();

  const std::string expected = "[张三，北京市海淀区ZGC大街1号]\n[李四 😀𠀀 €５]\n[第3遍 한국어 ✓]\n";
  EXPECT_TRUE(WaitFor([&] { return Text() == expected; })) << "the form holds " << Text();
  ASSERT_EQ(boxes_.shown.size(), 1u) << "a box besides the confirmation: the run stopped or failed";
  // Right Ctrl reaches a window as Ctrl with the extended flag; the Ctrl and
  // V of the pastes, left out here, must come without it.
  const char* const keysOfAPass[] = {"key 36 extended",  "key 35 extended",  "key 39 extended", "key 45 extended",
                                     "key 17 extended",  "key 166 extended", "key 183 extended", "key 184",
                                     "key 27",           "key 13"};
  std::vector<std::string> keys, presses;
  for (int pass = 0; pass < 3; ++pass) {
    keys.insert(keys.end(), std::begin(keysOfAPass), std::end(keysOfAPass));
    for (const POINT& p : points) presses.push_back("press 1 " + std::to_string(p.x) + " " + std::to_string(p.y));
  }
  EXPECT_EQ(Events([](const std::string& e) { return e.starts_with("key ") && e != "key 17" && e != "key 86"; }, 30),
            keys);
  EXPECT_EQ(Events([](const std::string& e) { return e.starts_with("press"); }, 12), presses);
  EXPECT_FALSE((GetAsyncKeyState(VK_LBUTTON) | GetAsyncKeyState(VK_RBUTTON) | GetAsyncKeyState(VK_MBUTTON)) & 0x8000)
      << "a button is still down";
  // Each text pasted, record or inserted, came with the marks that keep it
  // out of clipboard history, and the last one stays on the clipboard.
  EXPECT_EQ(Events([](const std::string& e) { return e.starts_with("paste"); }, 9),
            std::vector<std::string>(9, "paste text ExcludeClipboardContentFromMonitorProcessing "
                                        "CanIncludeInClipboardHistory CanUploadToCloudClipboard"));
  EXPECT_TRUE(IsClipboardFormatAvailable(CF_UNICODETEXT)) << "the run took its text off the clipboard";
}

// A brief hold of the clipboard by another program is waited out; another
// program may take it between the copy and the paste, and the paste still
// delivers the record. A clipboard that stays locked is told to the run by
// its next check, once, and no box stops the run meanwhile; a Ctrl+V that
// would paste the taker's text is not sent. A box the run does show comes
// in front of the target, and the user's Esc answers it without a stop.
TEST_F(SampleFormRunTest, AClipboardHeldOrTakenByAnotherProgramIsPutBackOrToldToTheRunAsLost) {
  platform_.BeginStopWatch();
  // What the user sees of each box once it is in front.
  std::vector<std::wstring> seen;
  std::jthread user([&](std::stop_token stop) {
    for (HWND answered = nullptr; !stop.stop_requested(); Sleep(20)) {
      const HWND box = FindWindowW(L"#32770", L"错误");
      if (box == nullptr || box == answered || !IsWindowVisible(box) || GetForegroundWindow() != box) continue;
      wchar_t text[256] = {};
      GetDlgItemTextW(box, 0xFFFF, text, 256);
      seen.push_back(text + std::wstring((GetWindowLongW(box, GWL_EXSTYLE) & WS_EX_TOPMOST) ? L", on top" : L""));
      if (TapUsersEscape()) answered = box;
    }
  });
  WhileClipboardHeld(200ms, [this] { platform_.SetClipboardText(u"记录，粘贴"); });
  // Wine hands an X11 program's clipboard on to its Windows programs.
  const DWORD placed = GetClipboardSequenceNumber();
  ASSERT_TRUE(StartHostCommand("printf taken | xclip -selection clipboard"));
  ASSERT_TRUE(WaitFor([placed] { return GetClipboardSequenceNumber() != placed; })) << "no sign of the X11 program";
  platform_.SetCursorPos(fieldX_, fieldY_);
  for (const char16_t* command : {u"l", u"k 86 2"}) ExecuteCommand(platform_, command);  // a click, then Ctrl+V
  EXPECT_TRUE(WaitFor([this] { return Text() == "记录，粘贴"; })) << "the form holds " << Text();
  // Wine's desktop is the user's, and the form runs at this program's level.
  EXPECT_EQ(platform_.CheckDelivery(DeliveryCheck::kBeforeInput), DeliveryFault::kNone);

  // Taken and held: the text is neither set nor put back for the Ctrl+V, which would paste the taker's.
  WhileClipboardHeld(5000ms, [this] { for (auto c : {u"T never", u"k 35"}) ExecuteCommand(platform_, c); }, true);
  EXPECT_EQ(Events([](const std::string& e) { return e == "key 86" || e == "key 35 extended"; }, 2),
            (std::vector<std::string>{"key 86", "key 35 extended"})) << "the V of the second paste was sent";
  EXPECT_EQ(platform_.CheckDelivery(DeliveryCheck::kBeforeInput), DeliveryFault::kClipboardLost);
  platform_.ShowError(u"参数错误。");
  user.request_stop();
  user.join();
  EXPECT_EQ(seen, std::vector<std::wstring>{L"参数错误。, on top"});
  EXPECT_FALSE(platform_.StopRequested()) << "the Esc that answered the box stopped the run";
  platform_.EndStopWatch();
  platform_.ClearClipboard();
  EXPECT_FALSE(IsClipboardFormatAvailable(CF_UNICODETEXT));
}

TEST_F(SampleFormRunTest, EveryTapOfTheUsersEscStopsTheRunAtOnceAndNeverReachesTheForm) {
  testing::Fill(list1_, {u"x"}, true);
  // The tap comes during the long wait, which it must cut short.
  testing::Fill(list3_, {ClickLine({fieldX_, fieldY_}), u"复制内容", u"粘贴内容", u"等候时长 10"});
  constexpr int kRuns = 20;
  std::vector<double> stopTimes;
  for (int run = 0; run < kRuns; ++run) {
    text3_.SetText(u"2");
    const auto delivered = [this] { return std::ranges::count(Text(), 'x'); };
    const auto before = delivered();
    Clock::time_point tapTime;
    bool tapped = false;
    std::thread user([&] {
      WaitFor([&] { return delivered() > before; });
      tapTime = Clock::now();
      tapped = TapUsersEscape();
    });
    controller_.Start();
    const auto end = Clock::now();
    user.join();
    ASSERT_TRUE(tapped) << "run " << run << ": xdotool did not start";
    // A stop left from the run before would have ended this one at once.
    ASSERT_GT(delivered(), before) << "run " << run << " delivered nothing; the form's events:\n"
                                   << ReadBytes(output_ + L".events");
    stopTimes.push_back(std::chrono::duration<double, std::milli>(end - tapTime).count());
    ASSERT_EQ(boxes_.shown.back().caption, u"已停止") << "run " << run << " was not stopped";

    // Nothing more arrives after the stop: a key sent now comes after all
    // the run sent.
    const std::string atStop = Text();
    INPUT marker[2] = {{.type = INPUT_KEYBOARD, .ki = {.wVk = VK_F9}},
                       {.type = INPUT_KEYBOARD, .ki = {.wVk = VK_F9, .dwFlags = KEYEVENTF_KEYUP}}};
    ASSERT_EQ(SendInput(2, marker, sizeof(INPUT)), 2u);
    const auto markers = [](const std::string& e) { return e == "key " + std::to_string(VK_F9); };
    ASSERT_EQ(Events(markers, run + 1).size(), std::size_t(run) + 1) << "run " << run << ": the form lost its focus";
    EXPECT_EQ(Text(), atStop) << "run " << run << " went on after the stop";
  }
  EXPECT_EQ(Events([](const std::string& e) { return e == "key 27"; }, 0), std::vector<std::string>{})
      << "the user's Esc reached the form";
  std::sort(stopTimes.begin(), stopTimes.end());
  std::printf("%d runs stopped; from the tap until the run returned: median %.0f ms, worst %.0f ms\n", kRuns,
              stopTimes[stopTimes.size() / 2], stopTimes.back());
  // Far below the 10 s wait, whatever the load: the latency itself is
  // measured above, not asserted.
  EXPECT_LT(stopTimes.back(), 5000) << "a stop waited for the end of the pause";
}

}  // namespace
}  // namespace tavorin
