#pragma once

#include <string>
#include <vector>

#include "core/actions/action_entry.h"
#include "core/interfaces/window_stacking.h"

namespace tavorin::testing {

// One line per window opened or stacking change, in order.
using WindowLog = std::vector<std::string>;

struct LoggingStacking : WindowStacking {
  explicit LoggingStacking(WindowLog& log) : log_(log) {}
  void MakeTopmost(WindowHandle window) override { log_.push_back("topmost " + std::to_string(window)); }
  void MakeNotTopmost(WindowHandle window) override { log_.push_back("not topmost " + std::to_string(window)); }
  WindowLog& log_;
};

// The main window is handle 7.
struct LoggingEntryWindows : ActionEntryWindows {
  explicit LoggingEntryWindows(WindowLog& log) : log_(log) {}
  WindowHandle MainWindow() override { return 7; }
  void HideMainWindow() override { log_.push_back("hide"); }
  void OpenPositionPickerSoon() override { log_.push_back("picker"); }
  void RunKeyChordDialog() override { log_.push_back("key dialog"); }
  void RunWaitDialog() override { log_.push_back("wait dialog"); }
  void RunInsertDialog() override { log_.push_back("insert dialog"); }
  WindowLog& log_;
};

}  // namespace tavorin::testing
