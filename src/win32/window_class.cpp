#include "win32/window_class.h"

namespace tavorin {

void RegisterWindowClass(const wchar_t* name, WNDPROC procedure, LPCWSTR cursor, HBRUSH background) {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = procedure;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.hCursor = LoadCursorW(nullptr, cursor);
  windowClass.hbrBackground = background;
  windowClass.lpszClassName = name;
  // A second registration fails with ERROR_CLASS_ALREADY_EXISTS and leaves
  // the first in place, which is what every caller wants.
  RegisterClassExW(&windowClass);
}

}  // namespace tavorin
