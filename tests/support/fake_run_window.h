#pragma once

#include <string>
#include <vector>

#include "fake_controls.h"
#include "recording_platform.h"
#include "core/interfaces/memory_list_box.h"
#include "core/run/clock.h"
#include "core/run/run_controls.h"

namespace tavorin::testing {

class FixedClock : public Clock {
 public:
  LocalDateTime Now() const override { return now; }
  LocalDateTime now{2021, 3, 5, 7, 8, 9, 6};  // Friday 5 March 2021, 07:08:09
};

// Logs "hide" and "show" into the same log as the platform, so a test sees
// where they fall among the input events.
struct FakeRunWindow : RunWindow {
  explicit FakeRunWindow(RecordingPlatform& log) : log_(log) {}
  void Hide() override { log_.Note("hide"); }
  void Show() override { log_.Note("show"); }
  bool RefreshBeforeCooldownChosen() const override { return refresh; }
  int RefreshKeyListIndex() const override { return keyIndex; }

  bool refresh = false;
  int keyIndex = 0;
  RecordingPlatform& log_;
};

// What a run works on: the main window's lists and boxes, a clock, and a
// platform that logs.
struct RunParts {
  RecordingPlatform platform;
  FixedClock clock;
  MemoryListBox list1, list2, list3, list4;
  FakeTextBox text3, text4, text5;
  RunControls controls{list1, list2, list3, list4, text3, text4, text5};
};

}  // namespace tavorin::testing
