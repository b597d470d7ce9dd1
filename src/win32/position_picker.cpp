#include "win32/position_picker.h"

#include <windows.h>

#include "core/actions/action_lines.h"
#include "core/interfaces/list_box.h"
#include "core/interfaces/window_stacking.h"
#include "win32/window_class.h"

namespace tavorin {
namespace {

constexpr wchar_t kPickerClass[] = L"TavorinPicker";
constexpr int kVkEscape = 27;

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

void PickPosition(Picker& picker, UINT message, LPARAM lParam) {
  if (picker.closing) return;
  if (message == WM_LBUTTONDOWN) {
    // Client coordinates of a per-monitor aware window are physical pixels;
    // the client area starts at the virtual desktop's corner.
    POINT pressed{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    ClientToScreen(picker.window, &pressed);
    picker.actions.AddItem(ClickLine(pressed.x, pressed.y));
  }
  ClosePicker(picker);
}

LRESULT CALLBACK PickerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* picker = reinterpret_cast<Picker*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (picker == nullptr) return DefWindowProcW(window, message, wParam, lParam);
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(window, &paint);
      BitBlt(dc, 0, 0, picker->size.cx, picker->size.cy, picker->image, 0, 0, SRCCOPY);
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
  SystemWindowStacking().MakeTopmost(reinterpret_cast<WindowHandle>(picker->window));
  ShowWindow(picker->window, SW_SHOW);
  SetForegroundWindow(picker->window);
  SetFocus(picker->window);
}

}  // namespace tavorin
