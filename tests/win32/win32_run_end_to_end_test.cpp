// Runs through the core's run controller and the Windows platform layer
// against the Windows sample form, another Wine process on the same desktop.

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "core/execution/command_interpreter.h"
#include "core/interfaces/memory_list_box.h"
#include "core/run/run_controller.h"
#include "fake_controls.h"
#include "fake_message_boxes.h"
#include "platform/win32/win32_platform.h"
#include "wine_desktop.h"

namespace tavorin {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

class StillRunWindow : public RunWindow {
 public:
  void Hide() override {}
  void Show() override {}
  bool RefreshBeforeCooldownChosen() const override { return false; }
  int RefreshKeyListIndex() const override { return 0; }
};

std::u16string Utf16(const std::string& utf8) {
  const std::wstring wide = testing::Widen(utf8);
  return std::u16string(wide.begin(), wide.end());
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t end = std::min(text.find('\n', start), text.size());
    lines.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  return lines;
}

class SampleFormRunTest : public ::testing::Test {
 protected:
  void SetUp() override {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    folder_ = std::wstring(temp) + L"tavorin-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
              std::to_wstring(GetTickCount64());
    ASSERT_TRUE(CreateDirectoryW(folder_.c_str(), nullptr));
    output_ = folder_ + L"\\form.txt";
    StartForm();
  }

  void TearDown() override {
    // A target that died would make every "nothing arrived" check pass.
    EXPECT_EQ(WaitForSingleObject(form_.hProcess, 0), static_cast<DWORD>(WAIT_TIMEOUT)) << "the form died";
    TerminateProcess(form_.hProcess, 0);
    WaitForSingleObject(form_.hProcess, 5000);
    CloseHandle(form_.hProcess);
    CloseHandle(form_.hThread);
    DeleteFileW(output_.c_str());
    DeleteFileW((output_ + L".events").c_str());
    RemoveDirectoryW(folder_.c_str());
  }

  void StartForm() {
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE readEnd = nullptr, writeEnd = nullptr;
    ASSERT_TRUE(CreatePipe(&readEnd, &writeEnd, &inherit, 0));
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = writeEnd;
    startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    std::wstring line = L"\"" + testing::HostPath(TAVORIN_SAMPLE_FORM) + L"\" \"" + output_ + L"\"";
    const bool started = CreateProcessW(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr,
                                        folder_.c_str(), &startup, &form_);
    CloseHandle(writeEnd);
    ASSERT_TRUE(started) << "the sample form did not start";
    std::string said;
    char c = 0;
    DWORD read = 0;
    while (said.find('\n') == std::string::npos && ReadFile(readEnd, &c, 1, &read, nullptr) && read == 1) {
      said += c;
    }
    CloseHandle(readEnd);
    ASSERT_EQ(std::sscanf(said.c_str(), "ready %d %d", &fieldX_, &fieldY_), 2) << "the form said: " << said;
  }

  void Records(const std::vector<std::string>& texts) {
    for (const auto& text : texts) {
      list1_.AddItem(Utf16(text));
      list1_.SetSelected(list1_.ListCount() - 1, true);
    }
  }
  void Actions(const std::vector<std::string>& lines) {
    for (const auto& line : lines) list3_.AddItem(Utf16(line));
  }
  std::string ClickLine(int x, int y) const {
    return "点击位置 " + std::to_string(x) + " " + std::to_string(y);
  }
  std::string Text() const { return testing::ReadBytes(output_); }
  std::vector<std::string> Events() const { return Lines(testing::ReadBytes(output_ + L".events")); }
  // The form writes as the keys come: waits until it holds `expected`.
  std::string WaitForText(const std::string& expected) const {
    std::string text = Text();
    for (int i = 0; i < 100 && text != expected; ++i) {
      Sleep(50);
      text = Text();
    }
    return text;
  }

  std::wstring folder_;
  std::wstring output_;
  PROCESS_INFORMATION form_{};
  int fieldX_ = 0;
  int fieldY_ = 0;

  MemoryListBox list1_, list2_, list3_, list4_;
  testing::FakeTextBox text3_, text4_, text5_;
  RunControls controls_{list1_, list2_, list3_, list4_, text3_, text4_, text5_};
  StillRunWindow window_;
  testing::FakeMessageBoxes boxes_;
  SystemClock clock_;
  Win32Platform platform_;
  RunController controller_{controls_, window_, boxes_, clock_, [this] { return &platform_; }};
};

TEST_F(SampleFormRunTest, TextOutsideGbkAndExtendedKeysArriveIntactAndTheRunsOwnEscPasses) {
  Records({"张三，北京市海淀区ZGC大街1号", "李四 😀𠀀 €５", "第%i遍 한국어 ✓"});
  Actions({ClickLine(fieldX_, fieldY_), "复制内容", "粘贴内容", "按下按键 36", "插入内容 [", "按下按键 35",
           "插入内容 ]", "按下按键 27", "按下按键 13"});
  controller_.Start();

  const std::string expected = "[张三，北京市海淀区ZGC大街1号]\n[李四 😀𠀀 €５]\n[第3遍 한국어 ✓]\n";
  EXPECT_EQ(WaitForText(expected), expected);
  ASSERT_EQ(boxes_.shown.size(), 1u) << "a box besides the confirmation: the run stopped or failed";
  std::vector<std::string> keys;
  for (const auto& event : Events()) {
    if (event.rfind("key ", 0) == 0 && event != "key 17" && event != "key 86") keys.push_back(event);
  }
  const std::vector<std::string> perPass = {"key 36 extended", "key 35 extended", "key 27", "key 13"};
  std::vector<std::string> expectedKeys;
  for (int pass = 0; pass < 3; ++pass) expectedKeys.insert(expectedKeys.end(), perPass.begin(), perPass.end());
  EXPECT_EQ(keys, expectedKeys);
}

TEST_F(SampleFormRunTest, ClicksLandOnExactPixelsAndLeaveNoButtonDown) {
  const POINT points[] = {{fieldX_ - 250, fieldY_ - 150}, {fieldX_ + 237, fieldY_ + 101}, {fieldX_ + 1, fieldY_ - 1}};
  Records({"x"});
  text3_.SetText(u"1");
  // More than Windows' double-click time apart, so each is a click of its own.
  for (const POINT point : points) Actions({ClickLine(point.x, point.y), "等候时长 0.6"});
  controller_.Start();
  // The other buttons and a double click, by the interpreter's commands.
  for (const char16_t* command : {u"p 300 250", u"r", u"s 600", u"m", u"s 600", u"d"}) {
    ExecuteCommand(platform_, command);
  }

  std::vector<std::string> expected;
  for (const POINT point : points) {
    expected.push_back("press 1 " + std::to_string(point.x) + " " + std::to_string(point.y));
  }
  for (const char* event : {"press 2 300 250", "press 4 300 250", "press 1 300 250", "double 1 300 250"}) {
    expected.push_back(event);
  }
  std::vector<std::string> presses;
  for (int i = 0; i < 100 && presses.size() < expected.size(); ++i) {
    Sleep(50);
    presses.clear();
    for (const auto& event : Events()) {
      if (event.rfind("key ", 0) != 0) presses.push_back(event);
    }
  }
  EXPECT_EQ(presses, expected);
  for (const int button : {VK_LBUTTON, VK_RBUTTON, VK_MBUTTON}) {
    EXPECT_FALSE(GetAsyncKeyState(button) & 0x8000) << "button " << button << " is still down";
  }
}

TEST_F(SampleFormRunTest, EveryTapOfTheUsersEscStopsTheRunAtOnceAndNeverReachesTheForm) {
  Records({"x"});
  Actions({ClickLine(fieldX_, fieldY_), "复制内容", "粘贴内容", "等候时长 0.2"});
  constexpr int kRuns = 20;
  std::vector<double> stopTimes;
  for (int run = 0; run < kRuns; ++run) {
    text3_.SetText(u"40");  // about 20 s if the stop never came
    const std::string start = Text();
    const auto before = static_cast<std::size_t>(std::count(start.begin(), start.end(), 'x'));
    std::atomic<bool> tapped{false};
    Clock::time_point tapTime;
    // Taps once the run has visibly delivered two records.
    std::thread user([&] {
      for (int i = 0; i < 400; ++i) {
        const std::string text = Text();
        if (static_cast<std::size_t>(std::count(text.begin(), text.end(), 'x')) >= before + 2) break;
        Sleep(10);
      }
      tapTime = Clock::now();
      tapped = testing::TapUsersEscape();
    });
    controller_.Start();
    const auto end = Clock::now();
    user.join();
    ASSERT_TRUE(tapped) << "run " << run << ": xdotool did not run, error " << GetLastError();
    stopTimes.push_back(std::chrono::duration<double, std::milli>(end - tapTime).count());
    ASSERT_EQ(boxes_.shown.back().caption, u"已停止") << "run " << run << " was not stopped";

    // Nothing more arrives after the stop.
    const std::string atStop = Text();
    Sleep(300);
    EXPECT_EQ(Text(), atStop) << "run " << run << " went on after the stop";
  }
  for (const auto& event : Events()) EXPECT_NE(event, "key 27") << "the user's Esc reached the form";
  std::sort(stopTimes.begin(), stopTimes.end());
  std::printf("%d of %d runs stopped; from the tap until the run returned: median %.0f ms, worst %.0f ms\n",
              kRuns, kRuns, stopTimes[stopTimes.size() / 2], stopTimes.back());
  EXPECT_LT(stopTimes.back(), 500) << "a run went on after the user's Esc";
}

}  // namespace
}  // namespace tavorin
