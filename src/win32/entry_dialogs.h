#pragma once

#include <windows.h>

namespace tavorin {

class ListBox;

// Form3 (key chord), Form4 (seconds to wait) and Form5 (text to insert):
// small modal tool windows centred on the main window. Each returns when its
// dialog has gone, having appended at most one line to `actions`.
void RunKeyChordDialog(HWND form, ListBox& actions);
void RunWaitDialog(HWND form, ListBox& actions);
void RunInsertDialog(HWND form, ListBox& actions);

// Windows of the dialogs while open, for tests that look for them by caption.
inline constexpr wchar_t kKeyChordCaption[] = L"按下按键。。。";
inline constexpr wchar_t kWaitCaption[] = L"等候（秒）：";
inline constexpr wchar_t kInsertCaption[] = L"插入内容：";

}  // namespace tavorin
