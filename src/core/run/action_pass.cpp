#include "core/run/action_pass.h"

#include <charconv>
#include <cmath>
#include <string_view>
#include <utility>

#include "core/execution/command_interpreter.h"
#include "core/execution/number_rules.h"
#include "core/run/progress_texts.h"
#include "core/run/screen_wait.h"
#include "core/run/text_expansion.h"

namespace tavorin {
namespace {

constexpr std::size_t kKeywordLength = 4;
constexpr std::u16string_view kSettle = u"s 20";
constexpr std::u16string_view kPasteChord = u"k 86 2";

void Run(RunContext& run, std::u16string_view command) {
  ExecuteCommand(run.platform, std::u16string(command));
}

std::u16string_view TrimBlanks(std::u16string_view text) {
  const std::size_t first = text.find_first_not_of(u' ');
  if (first == std::u16string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(u' ') - first + 1);
}

// The pass-list row the next copy line takes: the list may have shrunk
// since the cursor last moved.
int NextRecordRow(RunState& state, int count) {
  if (state.recordCursor < 0 || state.recordCursor >= count) state.recordCursor = 0;
  return state.recordCursor;
}

void ShowBadgeRecord(RunContext& run, const std::u16string& record) {
  if (run.progress == nullptr) return;
  std::u16string text = BadgeRecordText(record);
  if (text == run.badgeRecord) return;
  run.progress->SetRecord(text);
  run.badgeRecord = std::move(text);
}

// From a pass's start the badge names the record its first copy line will
// take, or nothing when no line takes one.
void ShowComingRecord(RunContext& run) {
  if (run.progress == nullptr) return;
  const ListBox& lines = run.controls.list3;
  bool copies = false;
  for (int j = 0; j < lines.ListCount() && !copies; ++j) copies = lines.List(j).starts_with(kCopyKeyword);
  const ListBox& passList = run.controls.list4;
  const int count = passList.ListCount();
  if (!copies || count == 0) {
    ShowBadgeRecord(run, u"");
    return;
  }
  const int row = NextRecordRow(run.state, count);
  ShowBadgeRecord(run, ExpandRecordText(passList.List(row), run.state.passNumber, run.controls.list2, run.clock));
}

void CopyNextRecord(RunContext& run) {
  ListBox& passList = run.controls.list4;
  const int count = passList.ListCount();
  // The controller never starts without a checked record; a copy line then
  // has nothing to take, and must not divide by zero.
  if (count == 0) return;
  RunState& state = run.state;
  state.currentText = ExpandRecordText(passList.List(NextRecordRow(state, count)), state.passNumber,
                                       run.controls.list2, run.clock);
  state.recordCursor = (state.recordCursor + 1) % count;
  run.controls.text5.SetText(state.currentText);
  ShowBadgeRecord(run, state.currentText);
  run.platform.ClearClipboard();
  Run(run, kSettle);
  // The clipboard gets the expanded text itself: a single-line box may
  // normalise line feeds that a record is allowed to hold.
  run.platform.SetClipboardText(state.currentText);
  Run(run, kSettle);
}

void InsertText(RunContext& run, const std::u16string& line) {
  run.platform.ClearClipboard();
  Run(run, kSettle);
  // The keyword and its blank; a bare keyword inserts an empty text.
  run.platform.SetClipboardText(line.size() > kKeywordLength + 1 ? line.substr(kKeywordLength + 1)
                                                                  : std::u16string());
  Run(run, kSettle);
  Run(run, kPasteChord);
  Run(run, kSettle);
}

std::u16string Decimal(double value) {
  char buffer[400];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 0);
  return std::u16string(buffer, result.ptr);
}

// Each pass sees the checked records as they are then; when nothing has
// changed since the last build, the list already shows them.
void RefreshPassList(RunContext& run) {
  RunControls& controls = run.controls;
  const ChangeCounter* changes = controls.recordChanges;
  if (changes != nullptr && run.passListBuiltAt == changes->Changes()) return;
  controls.list4.Clear();
  const int recordCount = controls.list1.ListCount();
  for (int i = 0; i < recordCount; ++i) {
    if (controls.list1.Selected(i)) controls.list4.AddItem(controls.list1.List(i));
  }
  if (changes != nullptr) run.passListBuiltAt = changes->Changes();
}

// A wait, or a line a run skips: nothing reaches the target.
bool OnlyPauses(std::u16string_view line) {
  const std::u16string_view keyword = line.substr(0, kKeywordLength);
  for (const auto other : {kCopyKeyword, kPasteKeyword, kClickKeyword, kKeyKeyword, kInsertKeyword}) {
    if (keyword == other) return false;
  }
  return true;
}

}  // namespace

std::u16string WaitCommand(const std::u16string& line) {
  const std::u16string command(TrimBlanks(ReplaceAll(line, kWaitKeyword, u"s")));
  const std::u16string appended = command + u"000";
  if (command.size() < 3 || command[1] != u' ') return appended;
  // Appending zeros multiplies whole decimal seconds by 1000; for anything
  // else (0.5, 1e3, &H10) it would give a different pause, so the pause is
  // then computed from the seconds.
  const std::u16string_view seconds = std::u16string_view(command).substr(2);
  const double wanted = ParseLeadingNumber(seconds) * 1000.0;
  if (ParseLeadingNumber(std::u16string_view(appended).substr(2)) == wanted) return appended;
  // An infinite length is written as a number too large for a pause, so
  // the interpreter refuses it like any other wait out of range.
  if (!std::isfinite(wanted)) return wanted < 0 ? u"s -1e999" : u"s 1e999";
  const auto milliseconds = RoundToInt32(wanted);
  return u"s " + (milliseconds ? Decimal(*milliseconds) : Decimal(std::nearbyint(wanted)));
}

void RunActionLine(RunContext& run, const std::u16string& line) {
  const std::u16string_view keyword = std::u16string_view(line).substr(0, kKeywordLength);
  if (keyword == kCopyKeyword) {
    CopyNextRecord(run);
  } else if (keyword == kPasteKeyword) {
    Run(run, kPasteChord);
    Run(run, kSettle);
  } else if (keyword == kClickKeyword) {
    Run(run, ReplaceAll(line, kClickKeyword, u"p"));
    Run(run, u"l");
    Run(run, kSettle);
  } else if (keyword == kKeyKeyword) {
    Run(run, ReplaceAll(line, kKeyKeyword, u"k"));
    Run(run, kSettle);
  } else if (keyword == kWaitKeyword) {
    Run(run, WaitCommand(line));
  } else if (keyword == kInsertKeyword) {
    InsertText(run, line);
  } else if (keyword == kScreenWaitKeyword) {
    WaitForScreen(run, line);
  }
}

bool RunActionPass(RunContext& run) {
  RunControls& controls = run.controls;
  RefreshPassList(run);
  ShowComingRecord(run);
  const int lineCount = controls.list3.ListCount();
  for (int j = 0; j < lineCount; ++j) {
    if (run.platform.StopRequested()) {
      // Stopped in the pauses that close the pass: its work is all done.
      for (int k = j; k < lineCount; ++k) {
        if (!OnlyPauses(controls.list3.List(k))) return false;
      }
      return true;
    }
    run.lineNumber = j + 1;
    RunActionLine(run, controls.list3.List(j));
  }
  return true;
}

}  // namespace tavorin
