#include "win32/position_picker.h"

#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <optional>

#include "core/actions/action_lines.h"
#include "core/actions/screen_wait_line.h"
#include "core/interfaces/list_box.h"
#include "core/interfaces/window_stacking.h"
#include "platform/win32/screen_area.h"
#include "win32/dpi_scale.h"
#include "win32/window_class.h"

namespace tavorin {
namespace {

constexpr wchar_t kPickerClass[] = L"TavorinPicker";
constexpr int kVkEscape = 27;
constexpr wchar_t kHint[] = L"单击：添加点击位置　　拖出方框：添加等候画面（最多等 10 秒）　　Esc：取消";

struct Picker {
  ListBox& actions;
  std::function<void()> closed;
  HWND window = nullptr;
  HDC image = nullptr;
  HBITMAP bitmap = nullptr;
  HGDIOBJ previousBitmap = nullptr;
  POINT origin{};
  SIZE size{};
  bool closing = false;  // one opening appends at most one line
  std::optional<POINT> pressed{};  // screen pixel of a left press not yet let go
  std::optional<RECT> dragged{};  // screen pixels, both corners included
  HFONT hintFont = nullptr;
};

// Copies the virtual desktop as it is now, pixel for pixel.
void CaptureScreen(Picker& picker) {
  picker.origin = {GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN)};
  picker.size = {GetSystemMetrics(SM_CXVIRTUALSCREEN), GetSystemMetrics(SM_CYVIRTUALSCREEN)};
  HDC screen = GetDC(nullptr);
  picker.image = CreateCompatibleDC(screen);
  picker.bitmap = CreateCompatibleBitmap(screen, picker.size.cx, picker.size.cy);
  picker.previousBitmap = SelectObject(picker.image, picker.bitmap);
  // A failed copy leaves the plain background; picking works the same.
  BitBlt(picker.image, 0, 0, picker.size.cx, picker.size.cy, screen, picker.origin.x,
         picker.origin.y, SRCCOPY | CAPTUREBLT);
  ReleaseDC(nullptr, screen);
}

void ClosePicker(Picker& picker) {
  if (picker.closing) return;
  picker.closing = true;
  SystemWindowStacking().MakeNotTopmost(reinterpret_cast<WindowHandle>(picker.window));
  picker.closed();
  DestroyWindow(picker.window);
}

// Client coordinates of a per-monitor aware window are physical pixels; the
// client area starts at the virtual desktop's corner.
POINT ScreenPixel(const Picker& picker, LPARAM lParam) {
  POINT at{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
  ClientToScreen(picker.window, &at);
  return at;
}

bool IsDrag(const Picker& picker, POINT to) {
  return std::abs(to.x - picker.pressed->x) >= GetSystemMetrics(SM_CXDRAG) ||
         std::abs(to.y - picker.pressed->y) >= GetSystemMetrics(SM_CYDRAG);
}

void InvalidateDragged(Picker& picker) {
  if (!picker.dragged) return;
  RECT client = *picker.dragged;
  OffsetRect(&client, -picker.origin.x, -picker.origin.y);
  InflateRect(&client, 2, 2);
  InvalidateRect(picker.window, &client, FALSE);
}

// Follows a held left button with the rectangle from the pressed pixel.
void Drag(Picker& picker, LPARAM lParam) {
  if (!picker.pressed || picker.closing) return;
  const POINT to = ScreenPixel(picker, lParam);
  InvalidateDragged(picker);
  picker.dragged.reset();
  if (IsDrag(picker, to)) {
    picker.dragged = RECT{std::min(to.x, picker.pressed->x), std::min(to.y, picker.pressed->y),
                      std::max(to.x, picker.pressed->x), std::max(to.y, picker.pressed->y)};
    InvalidateDragged(picker);
  }
}

// A release near the press adds the pressed pixel's click line; farther
// away, a wait for the rectangle as the frozen copy shows it.
void FinishPick(Picker& picker, LPARAM lParam) {
  if (!picker.pressed || picker.closing) return;
  const POINT to = ScreenPixel(picker, lParam);
  if (!IsDrag(picker, to)) {
    picker.actions.AddItem(ClickLine(picker.pressed->x, picker.pressed->y));
  } else {
    const ScreenRect area{std::min(to.x, picker.pressed->x), std::min(to.y, picker.pressed->y),
                          std::abs(to.x - picker.pressed->x) + 1, std::abs(to.y - picker.pressed->y) + 1};
    const ScreenRect inCopy{area.left - picker.origin.x, area.top - picker.origin.y, area.width, area.height};
    const std::vector<std::uint32_t> pixels = CopyArea(picker.image, inCopy);
    if (!pixels.empty()) picker.actions.AddItem(ScreenWaitLine(area, pixels));
  }
  ClosePicker(picker);
}

void PickPosition(Picker& picker, UINT message, LPARAM lParam) {
  if (picker.closing) return;
  if (message == WM_LBUTTONDOWN) {
    picker.pressed = ScreenPixel(picker, lParam);
    SetCapture(picker.window);
    return;
  }
  ClosePicker(picker);
}

void PaintHintAndDrag(const Picker& picker, HDC dc) {
  if (picker.hintFont != nullptr) SelectObject(dc, picker.hintFont);
  RECT hint{0, 0, picker.size.cx, 0};
  DrawTextW(dc, kHint, -1, &hint, DT_CALCRECT | DT_SINGLELINE);
  const LONG width = hint.right - hint.left + 24, height = hint.bottom - hint.top + 12;
  const POINT primary{-picker.origin.x, -picker.origin.y};  // the main screen's corner
  hint = {primary.x + (GetSystemMetrics(SM_CXSCREEN) - width) / 2, primary.y + 8, 0, 0};
  hint.right = hint.left + width;
  hint.bottom = hint.top + height;
  FillRect(dc, &hint, GetSysColorBrush(COLOR_INFOBK));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(COLOR_INFOTEXT));
  DrawTextW(dc, kHint, -1, &hint, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  if (!picker.dragged) return;
  RECT frame = *picker.dragged;
  OffsetRect(&frame, -picker.origin.x, -picker.origin.y);
  frame.right += 1;
  frame.bottom += 1;
  FrameRect(dc, &frame, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  InflateRect(&frame, 1, 1);
  FrameRect(dc, &frame, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
}

LRESULT CALLBACK PickerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* picker = reinterpret_cast<Picker*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (picker == nullptr) return DefWindowProcW(window, message, wParam, lParam);
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(window, &paint);
      BitBlt(dc, 0, 0, picker->size.cx, picker->size.cy, picker->image, 0, 0, SRCCOPY);
      PaintHintAndDrag(*picker, dc);
      EndPaint(window, &paint);
      return 0;
    }
    case WM_ERASEBKGND:
      return 1;
    case WM_SETCURSOR:
      SetCursor(LoadCursorW(nullptr, IDC_CROSS));
      return TRUE;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_XBUTTONDOWN:
      PickPosition(*picker, message, lParam);
      return 0;
    case WM_MOUSEMOVE:
      Drag(*picker, lParam);
      return 0;
    case WM_LBUTTONUP:
      FinishPick(*picker, lParam);
      return 0;
    case WM_CAPTURECHANGED:
      // Another window took the mouse mid-drag: the press is forgotten.
      InvalidateDragged(*picker);
      picker->pressed.reset();
      picker->dragged.reset();
      return 0;
    case WM_KEYDOWN:
      if (wParam == kVkEscape) ClosePicker(*picker);
      return 0;
    case WM_CLOSE:
      ClosePicker(*picker);
      return 0;
    case WM_NCDESTROY:
      SelectObject(picker->image, picker->previousBitmap);
      DeleteObject(picker->bitmap);
      DeleteDC(picker->image);
      if (picker->hintFont != nullptr) DeleteObject(picker->hintFont);
      SetWindowLongPtrW(window, GWLP_USERDATA, 0);
      delete picker;
      return 0;
    default:
      return DefWindowProcW(window, message, wParam, lParam);
  }
}

}  // namespace

void OpenPositionPicker(HWND owner, ListBox& actions, std::function<void()> closed) {
  RegisterWindowClass(kPickerClass, PickerProc, IDC_CROSS, GetSysColorBrush(COLOR_BTNFACE));
  auto* picker = new Picker{actions, std::move(closed)};
  CaptureScreen(*picker);
  // Owned by the hidden main window rather than a tool window: it stays off
  // the taskbar either way, but window managers give the keyboard to a new
  // owned window and not to a tool window, and Esc must reach the picker.
  picker->window = CreateWindowExW(WS_EX_TOPMOST, kPickerClass, L"Form2", WS_POPUP, picker->origin.x,
                                   picker->origin.y, picker->size.cx, picker->size.cy, owner, nullptr,
                                   GetModuleHandleW(nullptr), nullptr);
  if (picker->window == nullptr) {
    picker->closed();
    delete picker;
    return;
  }
  SetWindowLongPtrW(picker->window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(picker));
  picker->hintFont = CreateUiFont(DpiOf(picker->window), 10);
  SystemWindowStacking().MakeTopmost(reinterpret_cast<WindowHandle>(picker->window));
  ShowWindow(picker->window, SW_SHOW);
  SetForegroundWindow(picker->window);
  SetFocus(picker->window);
}

}  // namespace tavorin
