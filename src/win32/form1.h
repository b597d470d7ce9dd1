#pragma once

#include <windows.h>

#include <functional>
#include <memory>

#include "core/actions/action_entry.h"
#include "core/interfaces/platform.h"
#include "core/run/clock.h"
#include "core/run/run_controller.h"
#include "core/window/form1_flows.h"
#include "win32/main_window.h"
#include "win32/win32_file_dialogs.h"
#include "win32/win32_list_box.h"
#include "win32/win32_message_boxes.h"
#include "win32/win32_run_badge.h"
#include "win32/win32_screens.h"
#include "win32/win32_text_controls.h"

namespace tavorin {

// The whole main window: its controls as the core sees them, and every
// button, list, key and timer event forwarded to the core's flows and to the
// run controller.
class Form1 : public RunWindow, public ActionEntryWindows {
 public:
  using PlatformFactory = std::function<std::unique_ptr<Platform>()>;

  explicit Form1(PlatformFactory platformFactory);
  ~Form1() override;

  HWND Handle() const { return window_.Handle(); }
  // Shows the window as the program does: at start, after a run and after
  // the picker.
  void ShowMainWindow(int showCommand = SW_SHOW);

  // RunWindow
  void Hide() override;
  void Show() override { ShowMainWindow(); }
  bool RefreshBeforeCooldownChosen() const override;
  int RefreshKeyListIndex() const override;

  // ActionEntryWindows
  WindowHandle MainWindow() override { return reinterpret_cast<WindowHandle>(Handle()); }
  void HideMainWindow() override;
  void OpenPositionPickerSoon() override;
  void RunKeyChordDialog() override;
  void RunWaitDialog() override;
  void RunInsertDialog() override;

 private:
  void BindRecordEditor();
  void BindButtonsAndLists();
  Platform* AcquirePlatform();
  static LRESULT CALLBACK ListProc(HWND list, UINT message, WPARAM wParam, LPARAM lParam,
                                   UINT_PTR id, DWORD_PTR data);
  static LRESULT CALLBACK EditorProc(HWND editor, UINT message, WPARAM wParam, LPARAM lParam,
                                     UINT_PTR id, DWORD_PTR data);

  class MainWindow window_;
  Win32CheckList list1_;
  Win32PlainList list2_;
  Win32PlainList list3_;
  Win32PlainList list4_;
  Win32TextBox text1_, text2_, text3_, text4_, text5_, text6_;
  Win32Label label9_;
  Win32MessageBoxes messages_;
  Win32FileDialogs dialogs_;
  Form1Flows flows_;
  SystemClock clock_;
  Win32Screens screens_;
  Win32RunBadge badge_;
  RunControls runControls_;
  RunController runController_;
  PlatformFactory platformFactory_;
  std::unique_ptr<Platform> platform_;
  bool recordLoadPending_ = false;
};

}  // namespace tavorin
