#pragma once

#include <windows.h>

#include <functional>
#include <memory>

#include "core/actions/action_list_upkeep.h"
#include "core/interfaces/platform.h"
#include "core/records/record_editor.h"
#include "core/records/record_upkeep.h"
#include "core/replacements/replacement_words.h"
#include "core/run/clock.h"
#include "core/run/run_controller.h"
#include "win32/main_window.h"
#include "win32/win32_file_dialogs.h"
#include "win32/win32_list_box.h"
#include "win32/win32_message_boxes.h"
#include "win32/win32_text_controls.h"

namespace tavorin {

// The whole main window: its controls as the core sees them, the core's
// logic over them, and every button, list, key and timer event wired to it.
class Form1 : public RunWindow {
 public:
  using PlatformFactory = std::function<std::unique_ptr<Platform>()>;

  explicit Form1(PlatformFactory platformFactory);
  ~Form1() override;

  HWND Handle() const { return window_.Handle(); }

  // RunWindow
  void Hide() override;
  void Show() override;
  bool RefreshBeforeCooldownChosen() const override;
  int RefreshKeyListIndex() const override;

 private:
  void BindRecords();
  void BindReplacementWords();
  void BindActions();
  void BindRun();
  void AddAction(int index);
  Platform* AcquirePlatform();
  static LRESULT CALLBACK ListProc(HWND list, UINT message, WPARAM wParam, LPARAM lParam,
                                   UINT_PTR id, DWORD_PTR data);
  static LRESULT CALLBACK EditorProc(HWND editor, UINT message, WPARAM wParam, LPARAM lParam,
                                     UINT_PTR id, DWORD_PTR data);

  MainWindow window_;
  Win32CheckList list1_;
  Win32PlainList list2_;
  Win32PlainList list3_;
  Win32PlainList list4_;
  Win32TextBox text1_, text2_, text3_, text4_, text5_, text6_;
  Win32Label label9_;
  Win32MessageBoxes messages_;
  Win32FileDialogs dialogs_;
  RecordEditor recordEditor_;
  RecordUpkeep recordUpkeep_;
  ReplacementWords replacementWords_;
  ActionListUpkeep actionUpkeep_;
  SystemClock clock_;
  RunControls runControls_;
  RunController runController_;
  PlatformFactory platformFactory_;
  std::unique_ptr<Platform> platform_;
  bool recordLoadPending_ = false;
};

}  // namespace tavorin
