#include "core/run/action_list_check.h"

#include <algorithm>
#include <utility>

#include "core/execution/number_rules.h"
#include "core/actions/screen_wait_line.h"
#include "core/interfaces/memory_list_box.h"
#include "core/interfaces/memory_text_box.h"
#include "core/run/action_keywords.h"
#include "core/run/action_line_findings.h"
#include "core/run/action_pass.h"

namespace tavorin {
namespace {

const std::u16string kSkippedLine = u"不是动作，执行时将跳过。";

// Performs nothing; keeps what the interpreter would have shown, pressed,
// put on the clipboard and paused, and where it would have moved the pointer.
class ReadingPlatform : public Platform {
 public:
  void SetCursorPos(std::int32_t x, std::int32_t y) override { moves.push_back({x, y}); }
  void MouseEvent(std::uint32_t) override {}
  void KeyEvent(std::uint8_t key, bool keyUp) override {
    if (!keyUp) trace.keysDown.push_back(key);
  }
  void Sleep(std::int32_t milliseconds) override { trace.pausedMs += milliseconds; }
  void ClearClipboard() override {}
  void SetClipboardText(const std::u16string& text) override { trace.clipboardTexts.push_back(text); }
  void ShowError(const std::u16string& message) override { trace.messages.push_back(message); }
  void BeginStopWatch() override {}
  void EndStopWatch() override {}
  bool StopRequested() override { return false; }
  DeliveryFault CheckDelivery(DeliveryCheck) override { return DeliveryFault::kNone; }
  void KeepAwake(bool) override {}
  std::vector<std::uint32_t> ReadScreenArea(const ScreenRect&) override { return {}; }
  std::int64_t SteadyMs() override { return trace.pausedMs; }
  DoubleClickLimits DoubleClickSpan() override { return {}; }

  LineTrace trace;
  std::vector<ScreenPoint> moves;
};

bool StartsWithKeyword(const std::u16string& line) {
  const std::u16string_view keyword = std::u16string_view(line).substr(0, kCopyKeyword.size());
  return std::ranges::find(kActionKeywords, keyword) != std::end(kActionKeywords);
}

std::u16string OffScreenMessage(ScreenPoint p) {
  return u"位置 (" + DecimalText(p.x) + u", " + DecimalText(p.y) + u") 不在任何屏幕上。";
}

}  // namespace

ActionListReview ReviewActionList(const ListBox& actionLines, const std::vector<ScreenRect>& screens,
                                  const Clock& clock) {
  // A run of its own over scratch controls: copy lines go through every
  // step too, on one empty record, and nothing real changes.
  ReadingPlatform platform;
  MemoryListBox records, pairs, lines, passList;
  passList.AddItem(u"");
  MemoryTextBox count, cooldown, mirror;
  RunControls controls{records, pairs, lines, passList, count, cooldown, mirror};
  RunState state;
  RunContext run{platform, clock, controls, state};

  ActionListReview review;
  const int lineCount = actionLines.ListCount();
  for (int j = 0; j < lineCount; ++j) {
    const std::u16string line = actionLines.List(j);
    const int number = j + 1;
    if (line.starts_with(kScreenWaitKeyword)) {
      const ScreenWaitReading reading = ReadScreenWaitLine(line);
      if (reading.wait) review.waitAreas.push_back(reading.wait->area);
      if (!reading.wait) review.findings.push_back({number, reading.problem});
      continue;
    }
    if (!StartsWithKeyword(line)) {
      review.findings.push_back({number, kSkippedLine});
      continue;
    }
    platform.trace = {};
    platform.moves.clear();
    RunActionLine(run, line);
    if (auto finding = LineFinding(line, platform.trace)) review.findings.push_back({number, std::move(*finding)});
    for (const ScreenPoint p : platform.moves) {
      review.clickPositions.push_back(p);
      const bool onScreen = std::ranges::any_of(screens, [&](const ScreenRect& s) { return s.Contains(p); });
      if (!screens.empty() && !onScreen) review.findings.push_back({number, OffScreenMessage(p)});
    }
  }
  return review;
}

std::u16string FindingsText(const std::vector<ActionLineFinding>& findings, std::size_t shown) {
  std::u16string text;
  for (std::size_t i = 0; i < findings.size() && i < shown; ++i) {
    text += u"第 " + DecimalText(findings[i].lineNumber) + u" 行：" + findings[i].message + u"\r\n";
  }
  if (findings.size() > shown) {
    text += u"还有 " + DecimalText(static_cast<long long>(findings.size() - shown)) + u" 处\r\n";
  }
  return text;
}

}  // namespace tavorin
