#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "win32/dpi_scale.h"
#include "core/window/form1_control_table.h"

namespace tavorin {

// Form1's window, built from the control table: the fixed-size frame, the tab strip, the four white pages
// and every control at its twip rectangle, scaled to the monitor's dots per
// inch. It knows nothing of what the controls mean; Form1 attaches handlers
// to them by design name.
class MainWindow {
 public:
  static constexpr int kPageCount = kForm1PageCount;
  // The control at position n of the control table has the id
  // kFirstControlId + n, so that a test program can name it.
  static constexpr int kFirstControlId = 1000;
  static constexpr wchar_t kWindowClass[] = L"TavorinForm1";

  MainWindow();
  ~MainWindow();
  MainWindow(const MainWindow&) = delete;
  MainWindow& operator=(const MainWindow&) = delete;

  HWND Handle() const { return window_; }
  // The control of that design name; a missing one is a programming error.
  HWND Control(const std::string& name) const;
  const DpiScale& Scale() const { return scale_; }

  // Handlers, by control name: button clicks and other WM_COMMAND codes.
  void OnCommand(const std::string& name, WORD code, std::function<void()> handler);
  // WM_NOTIFY of a control; the handler's result is the message's.
  void OnNotify(const std::string& name, std::function<LRESULT(NMHDR&)> handler);
  // A window message sent to the main window itself. A handler of WM_CLOSE
  // runs before the window goes; the close is never refused.
  void OnMessage(UINT message, std::function<void(WPARAM, LPARAM)> handler);
  // Runs while the window is being activated again and gives the focus back
  // to the control that had it; focus reports during that time are not a
  // new visit by the user.
  bool RestoringFocus() const { return restoringFocus_; }

  void SwitchPage();
  int VisiblePage() const;
  // The design name of one of the window's controls, empty for another.
  std::string NameOf(HWND control) const;

 private:
  static LRESULT CALLBACK FormProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK PageProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
  void Build();
  HWND Create(const ControlSpec& spec, HWND parent, int id);
  void ApplyScale();

  HWND window_ = nullptr;
  HWND pages_[kPageCount] = {};
  DpiScale scale_;
  std::map<double, HFONT> fonts_;  // by point size
  HBRUSH white_ = nullptr;
  HWND focusBeforeDeactivation_ = nullptr;
  bool restoringFocus_ = false;

  // A control of the table, placed on its page: frames and what they hold
  // are siblings there, so that the page gets every control's reports.
  struct Placed {
    const ControlSpec* spec;
    HWND hwnd;
    int left, top;  // twips, relative to the page (the window for pages)
  };
  std::vector<Placed> controls_;
  std::map<std::string, HWND> byName_;
  std::map<std::pair<std::string, WORD>, std::function<void()>> commands_;
  std::map<std::string, std::function<LRESULT(NMHDR&)>> notifies_;
  std::map<UINT, std::function<void(WPARAM, LPARAM)>> messages_;
};

}  // namespace tavorin
