#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/interfaces/platform.h"
#include "core/interfaces/run_progress.h"
#include "core/interfaces/screens.h"
#include "core/run/click_separation.h"
#include "core/run/clock.h"
#include "core/run/run_controls.h"
#include "core/run/run_state.h"
#include "core/interfaces/message_boxes.h"
#include "core/run/stoppable_platform.h"

namespace tavorin {

// What the desktop a run works on adds to its texts.
struct DesktopNotes {
  // One more line of the confirmation before a run; empty for none.
  std::u16string confirmation;
  // Why a run stopped at a window its input cannot reach, with what to do
  // about it; empty for a general reason.
  std::u16string unreachableTarget;
};

// What "启动" does: checks the records and settings, asks, hides the main
// window, runs the passes and shows the window again. The user can end a run
// early with Esc; the window then comes back with a note of how far it got.
class RunController {
 public:
  // `acquirePlatform` is asked for the input platform once the user has
  // confirmed; it returns null (after telling the user why) when input cannot
  // be simulated on this desktop.
  RunController(RunControls& controls, RunWindow& window, MessageBoxes& boxes, const Clock& clock,
                std::function<Platform*()> acquirePlatform);

  // Where the screens are, for the check of click positions and the place
  // of the progress badge; and the badge. Either may be null: no position
  // check, no badge.
  void SetRunFeedback(const ScreenLayout* screens, RunProgress* progress);
  void SetDesktopNotes(DesktopNotes notes) { notes_ = std::move(notes); }

  // The click handler of "启动".
  void Start();

  const RunState& State() const { return state_; }

 private:
  struct Outcome {
    std::int32_t completed = 0;
    bool stopped = false;
    std::optional<std::u16string> haltReason;
  };

  bool SettingsFit();
  // From the hidden main window to the last pass, the screen kept awake.
  Outcome RunHidden(Platform& platform, const std::vector<ScreenRect>& screens,
                    const std::vector<ScreenPoint>& clicks, const std::vector<ScreenRect>& areas);
  void NormaliseSettings();
  // Returns the number of passes whose action lines all reached the target.
  std::int32_t RunPasses(StoppablePlatform& platform, RunProgress* badge);
  // The badge shown out of the way of the clicks, or null when it is not.
  RunProgress* ShowBadge(const std::vector<ScreenRect>& screens, const std::vector<ScreenPoint>& clicks,
                         const std::vector<ScreenRect>& areas);
  void RunCooldown(Platform& platform);
  void PressRefreshKey(Platform& platform, std::int16_t keyIndex);

  RunControls& controls_;
  RunWindow& window_;
  MessageBoxes& boxes_;
  const Clock& clock_;
  std::function<Platform*()> acquirePlatform_;
  const ScreenLayout* screens_ = nullptr;
  RunProgress* progress_ = nullptr;
  DesktopNotes notes_;
  RunState state_;
  ClickSeparation clicks_;  // across runs
};

}  // namespace tavorin
