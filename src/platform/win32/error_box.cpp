#include "platform/win32/error_box.h"

#include <windows.h>

namespace tavorin {
namespace {

// MB_TOPMOST alone is not honoured everywhere (Wine leaves such a box in the
// normal band), so the box is put into the topmost band as it activates.
LRESULT CALLBACK RaiseBoxOnActivation(int code, WPARAM window, LPARAM data) {
  if (code == HCBT_ACTIVATE) {
    SetWindowPos(reinterpret_cast<HWND>(window), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  }
  return CallNextHookEx(nullptr, code, window, data);
}

}  // namespace

void ShowErrorBoxAboveAll(const std::u16string& message) {
  HHOOK hook = SetWindowsHookExW(WH_CBT, RaiseBoxOnActivation, nullptr, GetCurrentThreadId());
  MessageBoxW(nullptr, reinterpret_cast<const wchar_t*>(message.c_str()), L"错误",
              MB_OK | MB_ICONHAND | MB_TASKMODAL | MB_TOPMOST | MB_SETFOREGROUND);
  if (hook != nullptr) UnhookWindowsHookEx(hook);
}

}  // namespace tavorin
