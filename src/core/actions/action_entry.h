#pragma once

#include "core/interfaces/list_box.h"
#include "core/interfaces/message_boxes.h"
#include "core/interfaces/window_stacking.h"

namespace tavorin {

// Milliseconds between hiding the main window and copying the screen for the
// position picker, so that windows it uncovered have drawn themselves again.
inline constexpr int kPickerSettleMs = 150;

// The windows the six buttons that add an action open, as a front end makes
// them. Each dialog appends its line to the action list when confirmed.
class ActionEntryWindows {
 public:
  virtual ~ActionEntryWindows() = default;
  virtual WindowHandle MainWindow() = 0;
  virtual void HideMainWindow() = 0;
  // Copies the screen kPickerSettleMs after the main window was hidden and
  // opens the picker over it; returns at once. The picker brings the main
  // window back when it closes.
  virtual void OpenPositionPickerSoon() = 0;
  // Modal: each returns when its dialog has closed, however it closed.
  virtual void RunKeyChordDialog() = 0;
  virtual void RunWaitDialog() = 0;
  virtual void RunInsertDialog() = 0;
};

// The clicks of "Command6(0)" to "Command6(5)".
class ActionEntry {
 public:
  static constexpr int kButtonCount = 6;

  ActionEntry(ListBox& actions, ActionEntryWindows& windows, WindowStacking& stacking,
              MessageBoxes& messages);

  // 0 and 1 append their line (or say the list is full), 2 opens the position picker, 3 to 5 open the
  // key, wait or insert dialog. Other indexes do nothing.
  void AddAction(int index);

 private:
  // The main window leaves the always-on-top band while a dialog is open, so
  // the dialog can come in front of it, and returns however it closed.
  void RunModal(void (ActionEntryWindows::*open)());

  ListBox& actions_;
  ActionEntryWindows& windows_;
  WindowStacking& stacking_;
  MessageBoxes& messages_;
};

}  // namespace tavorin
