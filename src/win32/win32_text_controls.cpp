#include "win32/win32_text_controls.h"

#include "win32/wide_text.h"

namespace tavorin {

std::u16string Win32TextBox::Text() const { return WindowText(edit_); }

void Win32TextBox::SetText(const std::u16string& text) {
  SetWindowTextW(edit_, ToWide(text).c_str());
  // A single-line edit reports the change itself; a multi-line one does not
  // for a text set from outside, so the report is made here.
  if (GetWindowLongW(edit_, GWL_STYLE) & ES_MULTILINE) {
    SendMessageW(GetParent(edit_), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(edit_), EN_CHANGE),
                 reinterpret_cast<LPARAM>(edit_));
  }
}

void Win32TextBox::Select(int start, int length) {
  SendMessageW(edit_, EM_SETSEL, start, start + length);
}

bool Win32TextBox::SetFocus() {
  if (!IsWindowVisible(edit_) || !IsWindowEnabled(edit_)) return false;
  ::SetFocus(edit_);
  return true;
}

bool Win32TextBox::Enabled() const { return IsWindowEnabled(edit_) != FALSE; }

void Win32TextBox::SetEnabled(bool enabled) {
  if (Enabled() != enabled) EnableWindow(edit_, enabled ? TRUE : FALSE);
}

std::u16string Win32Label::Caption() const { return WindowText(label_); }

void Win32Label::SetCaption(const std::u16string& caption) {
  if (Caption() == caption) return;  // refreshed ten times a second
  SetWindowTextW(label_, ToWide(caption).c_str());
  if (!sizedToText_) return;
  RECT bounds{};
  GetClientRect(label_, &bounds);
  SetWindowPos(label_, nullptr, 0, 0, TextWidth(label_), bounds.bottom,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

int TextWidth(HWND window) {
  const std::wstring text = ToWide(WindowText(window));
  HDC dc = GetDC(window);
  const auto font = reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0));
  HGDIOBJ previous = SelectObject(dc, font != nullptr ? font : GetStockObject(DEFAULT_GUI_FONT));
  SIZE size{};
  GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
  SelectObject(dc, previous);
  ReleaseDC(window, dc);
  return size.cx;
}

}  // namespace tavorin
