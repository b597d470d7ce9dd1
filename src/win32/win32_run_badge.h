#pragma once

#include <windows.h>

#include <string>

#include "core/interfaces/run_progress.h"

namespace tavorin {

// The progress badge of a run: a small topmost popup that the pointer passes
// through (layered and transparent), that never becomes active and has no
// task bar button. Updates only keep the text and invalidate the window; it
// is drawn while the run pauses and pumps its paint messages.
class Win32RunBadge : public RunProgress {
 public:
  static constexpr wchar_t kWindowClass[] = L"TavorinRunBadge";

  Win32RunBadge();
  ~Win32RunBadge() override;
  Win32RunBadge(const Win32RunBadge&) = delete;
  Win32RunBadge& operator=(const Win32RunBadge&) = delete;

  ScreenSize BadgeSize() const override;
  void Show(ScreenPoint topLeft, const std::u16string& stopHint) override;
  void SetPass(const std::u16string& text) override;
  void SetRecord(const std::u16string& text) override;
  void Hide() override;

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  void Paint(HDC target) const;

  HWND window_ = nullptr;
  HFONT font_ = nullptr;
  SIZE size_{};
  int padding_ = 0;
  int lineHeight_ = 0;
  std::wstring pass_;
  std::wstring record_;
  std::wstring stopHint_;
};

}  // namespace tavorin
