#include "core/run/run_controller.h"

#include <string>

#include "core/execution/command_interpreter.h"
#include "core/execution/number_rules.h"
#include "core/run/action_list_check.h"
#include "core/run/action_pass.h"
#include "core/run/badge_placement.h"
#include "core/run/progress_texts.h"
#include "core/run/stop_reasons.h"
#include "core/run/stoppable_platform.h"

namespace tavorin {
namespace {

// The largest cooldown whose length in milliseconds still fits a pause.
constexpr std::int32_t kMaxCooldownSeconds = 2147483;

const std::u16string kConfirmation =
    u"即将开始执行动作。请确保\r\n"
    u"1、将所需的窗口最大化，并且置于顶层。\r\n"
    u"2、执行动作期间请不要操纵鼠标和键盘。\r\n"
    u"执行期间按 Esc 键可以停止。\r\n";
const std::u16string kQuestion = u"继续吗？";

// The screen stays awake for as long as this lives, so no way out of a run
// leaves it kept awake.
class KeptAwake {
 public:
  explicit KeptAwake(Platform& platform) : platform_(platform) { platform_.KeepAwake(true); }
  ~KeptAwake() { platform_.KeepAwake(false); }
  KeptAwake(const KeptAwake&) = delete;
  KeptAwake& operator=(const KeptAwake&) = delete;

 private:
  Platform& platform_;
};

// Empty, zero or negative: the setting takes its default.
bool UsesDefault(const TextBox& box) {
  const std::u16string text = box.Text();
  return text.empty() || ParseLeadingNumber(text) <= 0;
}

}  // namespace

RunController::RunController(RunControls& controls, RunWindow& window, MessageBoxes& boxes,
                             const Clock& clock, std::function<Platform*()> acquirePlatform)
    : controls_(controls),
      window_(window),
      boxes_(boxes),
      clock_(clock),
      acquirePlatform_(std::move(acquirePlatform)) {}

void RunController::SetRunFeedback(const ScreenLayout* screens, RunProgress* progress) {
  screens_ = screens;
  progress_ = progress;
}

void RunController::Start() {
  if (controls_.list1.ListCount() == 0) {
    boxes_.ShowError(u"尚未导入文本数据。");
    return;
  }
  if (controls_.list1.SelCount() == 0) {
    boxes_.ShowError(u"尚未选择文本数据。");
    return;
  }
  if (!SettingsFit()) return;
  const std::vector<ScreenRect> screens =
      screens_ != nullptr ? screens_->ScreenRects() : std::vector<ScreenRect>();
  const ActionListReview review = ReviewActionList(controls_.list3, screens, clock_);
  // Lines the run would stumble over come first, and make "否" the answer
  // a quick Enter gives.
  const bool faulty = !review.findings.empty();
  const std::u16string desktopLine = notes_.confirmation.empty() ? u"" : notes_.confirmation + u"\r\n";
  const std::u16string confirmation = kConfirmation + desktopLine + kQuestion;
  if (boxes_.Show(faulty ? FindingsText(review.findings) + u"\r\n" + confirmation : confirmation,
                  u"开始", MessageIcon::kInformation, MessageButtons::kYesNo,
                  faulty ? MessageAnswer::kNo : MessageAnswer::kYes) != MessageAnswer::kYes) {
    return;
  }
  Platform* platform = acquirePlatform_();
  if (platform == nullptr) return;
  const Outcome outcome = RunHidden(*platform, screens, review.clickPositions, review.waitAreas);
  window_.Show();

  if (outcome.stopped) {
    const std::u16string count = u"执行已停止：已完成 " + DecimalText(outcome.completed) + u" 次，共 " +
                                 DecimalText(state_.runCount) + u" 次。";
    // A stop the user did not ask for is an error: the text says why.
    if (outcome.haltReason) {
      boxes_.ShowError(*outcome.haltReason + count);
    } else {
      boxes_.Show(count, u"已停止", MessageIcon::kInformation, MessageButtons::kOk);
    }
  }
}

RunController::Outcome RunController::RunHidden(Platform& platform, const std::vector<ScreenRect>& screens,
                                                const std::vector<ScreenPoint>& clicks,
                                                const std::vector<ScreenRect>& areas) {
  const KeptAwake awake(platform);
  window_.Hide();
  NormaliseSettings();
  RunProgress* badge = ShowBadge(screens, clicks, areas);
  StoppablePlatform guarded(platform, clicks_);
  guarded.SetFaultReasons([this](DeliveryFault fault) {
    return StopReason(fault, state_.passNumber, state_.currentText, notes_.unreachableTarget);
  });
  guarded.BeginStopWatch();
  Outcome outcome;
  outcome.completed = RunPasses(guarded, badge);
  outcome.stopped = guarded.StopRequested();
  outcome.haltReason = guarded.HaltReason();
  guarded.EndStopWatch();
  if (badge != nullptr) badge->Hide();
  return outcome;
}

// A count or cooldown too large for a pause would otherwise wrap around;
// refusing before anything changes lets the user correct it.
bool RunController::SettingsFit() {
  if (!UsesDefault(controls_.text3) &&
      !RoundToInt32(ParseLeadingNumber(controls_.text3.Text()))) {
    boxes_.ShowError(u"“次数”超出范围：最多 2147483647 次。");
    return false;
  }
  if (!UsesDefault(controls_.text4)) {
    const auto seconds = RoundToInt32(ParseLeadingNumber(controls_.text4.Text()));
    if (!seconds || *seconds > kMaxCooldownSeconds) {
      boxes_.ShowError(u"“冷却”超出范围：最多 2147483 秒。");
      return false;
    }
  }
  return true;
}

void RunController::NormaliseSettings() {
  if (UsesDefault(controls_.text3)) controls_.text3.SetText(u"-1");
  if (UsesDefault(controls_.text4)) controls_.text4.SetText(u"0");
  state_.recordCursor = 0;
  state_.currentText.clear();
  if (ParseLeadingNumber(controls_.text3.Text()) == -1) {
    controls_.text3.SetText(DecimalText(controls_.list1.SelCount()));
  }
  // Both fit: SettingsFit checked them before anything changed.
  state_.runCount = RoundToInt32(ParseLeadingNumber(controls_.text3.Text())).value_or(0);
  state_.cooldownSeconds = RoundToInt32(ParseLeadingNumber(controls_.text4.Text())).value_or(0);
  state_.refreshBeforeCooldown = window_.RefreshBeforeCooldownChosen();
  const int keyIndex = window_.RefreshKeyListIndex();
  state_.refreshKeyIndex = static_cast<std::int16_t>(keyIndex < 0 ? 0 : keyIndex);
}

RunProgress* RunController::ShowBadge(const std::vector<ScreenRect>& screens,
                                      const std::vector<ScreenPoint>& clicks,
                                      const std::vector<ScreenRect>& areas) {
  if (progress_ == nullptr) return nullptr;
  const auto place = PlaceBadge(screens, progress_->BadgeSize(), clicks, areas);
  if (!place) return nullptr;
  progress_->Show(*place, kBadgeStopHint);
  return progress_;
}

std::int32_t RunController::RunPasses(StoppablePlatform& platform, RunProgress* badge) {
  RunContext run{platform, clock_, controls_, state_};
  run.progress = badge;
  run.halt = [&platform](const std::u16string& reason) { platform.Halt(reason); };
  std::int32_t completed = 0;
  // A wider counter: a count of 2147483647 must not overflow the last step.
  for (std::int64_t pass = 1; pass <= state_.runCount; ++pass) {
    state_.passNumber = static_cast<std::int32_t>(pass);
    if (badge != nullptr) badge->SetPass(PassText(state_.passNumber, state_.runCount));
    const std::uint64_t droppedBefore = platform.DroppedEffects();
    // A pass is done once every action line has reached the target; a stop
    // in the pauses that close it does not undo that.
    // A halt for a reason means some line of this pass did not reach the
    // target (or never ran), so the pass is not counted.
    const bool linesDone = RunActionPass(run) && platform.DroppedEffects() == droppedBefore;
    // Asked before the pass counts: a paste may prove lost only now.
    platform.CheckDelivery(DeliveryCheck::kPassEnd);
    if (linesDone && !platform.HaltReason()) ++completed;
    if (platform.StopRequested()) break;
    if (state_.refreshBeforeCooldown) PressRefreshKey(platform, state_.refreshKeyIndex);
    RunCooldown(platform);
    if (platform.StopRequested()) break;
  }
  return completed;
}

void RunController::RunCooldown(Platform& platform) {
  if (state_.cooldownSeconds == 0) return;
  ExecuteCommand(platform, u"s " + DecimalText(static_cast<long long>(state_.cooldownSeconds) * 1000));
}

void RunController::PressRefreshKey(Platform& platform, std::int16_t keyIndex) {
  ExecuteCommand(platform, keyIndex == 0 ? u"k 116" : u"k 82 2");
}

}  // namespace tavorin
