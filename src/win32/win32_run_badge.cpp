#include "win32/win32_run_badge.h"

#include "core/window/form1_control_table.h"
#include "platform/win32/window_stacking.h"
#include "win32/dpi_scale.h"
#include "win32/wide_text.h"
#include "win32/window_class.h"

namespace tavorin {
namespace {

constexpr int kPaddingPx = 8;  // at 96 dots per inch
// A click that raises the target would bury the badge; it comes back up.
constexpr UINT_PTR kKeepOnTopTimer = 1;
constexpr UINT kKeepOnTopMs = 250;
// Wide enough for any pass of any run.
constexpr wchar_t kWidestPass[] = L"第 2147483647/2147483647 次";
constexpr DWORD kExStyle = WS_EX_LAYERED | WS_EX_TRANSPARENT | WS_EX_NOACTIVATE | WS_EX_TOPMOST | WS_EX_TOOLWINDOW;

void DrawLine(HDC dc, const std::wstring& text, RECT row, COLORREF colour) {
  SetTextColor(dc, colour);
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &row,
            DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
}

}  // namespace

Win32RunBadge::Win32RunBadge() {
  RegisterWindowClass(kWindowClass, WindowProc, IDC_ARROW, nullptr);
  const DpiScale scale = DpiOf(nullptr);
  font_ = CreateUiFont(scale, kUiFontPoints);
  padding_ = MulDiv(kPaddingPx, scale.dpi, USER_DEFAULT_SCREEN_DPI);
  HDC screen = GetDC(nullptr);
  const HGDIOBJ previous = SelectObject(screen, font_);
  TEXTMETRICW metrics{};
  GetTextMetricsW(screen, &metrics);
  SIZE widest{};
  GetTextExtentPoint32W(screen, kWidestPass, static_cast<int>(wcslen(kWidestPass)), &widest);
  SelectObject(screen, previous);
  ReleaseDC(nullptr, screen);
  lineHeight_ = metrics.tmHeight + metrics.tmExternalLeading;
  size_ = {widest.cx + 2 * padding_, 3 * lineHeight_ + 2 * padding_};
  // Not the main window's title: scripts that look for that window by name
  // must not find the badge.
  window_ = CreateWindowExW(kExStyle, kWindowClass, L"执行进度", WS_POPUP, 0, 0, size_.cx, size_.cy, nullptr,
                            nullptr, GetModuleHandleW(nullptr), this);
  // Layered and transparent together make the pointer pass through; the
  // badge itself stays opaque.
  if (window_ != nullptr) SetLayeredWindowAttributes(window_, 0, 255, LWA_ALPHA);
}

Win32RunBadge::~Win32RunBadge() {
  if (window_ != nullptr) DestroyWindow(window_);
  DeleteObject(font_);
}

// Without a window there is no badge: no size, so no place for it.
ScreenSize Win32RunBadge::BadgeSize() const {
  if (window_ == nullptr) return {};
  return {size_.cx, size_.cy};
}

void Win32RunBadge::Show(ScreenPoint topLeft, const std::u16string& stopHint) {
  if (window_ == nullptr) return;
  stopHint_ = ToWide(stopHint);
  pass_.clear();
  record_.clear();
  SetWindowPos(window_, HWND_TOPMOST, topLeft.x, topLeft.y, size_.cx, size_.cy,
               SWP_NOACTIVATE | SWP_SHOWWINDOW);
  UpdateWindow(window_);
  SetTimer(window_, kKeepOnTopTimer, kKeepOnTopMs, nullptr);
}

void Win32RunBadge::SetPass(const std::u16string& text) {
  pass_ = ToWide(text);
  InvalidateRect(window_, nullptr, FALSE);
}

void Win32RunBadge::SetRecord(const std::u16string& text) {
  record_ = ToWide(text);
  InvalidateRect(window_, nullptr, FALSE);
}

void Win32RunBadge::Hide() {
  if (window_ == nullptr) return;
  KillTimer(window_, kKeepOnTopTimer);
  ShowWindow(window_, SW_HIDE);
}

// Drawn off screen first: a repaint every pass must not flicker.
void Win32RunBadge::Paint(HDC target) const {
  HDC dc = CreateCompatibleDC(target);
  HBITMAP bitmap = CreateCompatibleBitmap(target, size_.cx, size_.cy);
  const HGDIOBJ previousBitmap = SelectObject(dc, bitmap);
  const HGDIOBJ previousFont = SelectObject(dc, font_);
  const RECT all{0, 0, size_.cx, size_.cy};
  HBRUSH background = CreateSolidBrush(RGB(32, 32, 32));
  HBRUSH border = CreateSolidBrush(RGB(96, 96, 96));
  FillRect(dc, &all, background);
  FrameRect(dc, &all, border);
  DeleteObject(background);
  DeleteObject(border);
  SetBkMode(dc, TRANSPARENT);
  RECT row{padding_, padding_, size_.cx - padding_, padding_ + lineHeight_};
  DrawLine(dc, pass_, row, RGB(255, 255, 255));
  OffsetRect(&row, 0, lineHeight_);
  DrawLine(dc, record_, row, RGB(255, 255, 255));
  OffsetRect(&row, 0, lineHeight_);
  DrawLine(dc, stopHint_, row, RGB(200, 200, 200));
  BitBlt(target, 0, 0, size_.cx, size_.cy, dc, 0, 0, SRCCOPY);
  SelectObject(dc, previousFont);
  SelectObject(dc, previousBitmap);
  DeleteObject(bitmap);
  DeleteDC(dc);
}

LRESULT CALLBACK Win32RunBadge::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  const auto* badge = reinterpret_cast<Win32RunBadge*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(window, &paint);
      if (badge != nullptr) badge->Paint(dc);
      EndPaint(window, &paint);
      return 0;
    }
    case WM_ERASEBKGND:
      return 1;
    case WM_MOUSEACTIVATE:
      return MA_NOACTIVATE;
    case WM_TIMER:
      if (wParam == kKeepOnTopTimer) MakeTopmost(window);
      return 0;
    default:
      return DefWindowProcW(window, message, wParam, lParam);
  }
}

}  // namespace tavorin
