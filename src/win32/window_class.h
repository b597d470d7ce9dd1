#pragma once

#include <windows.h>

namespace tavorin {

// Registers one of the program's own window classes; registering it again
// is harmless. `background` may be null for windows that paint everything.
void RegisterWindowClass(const wchar_t* name, WNDPROC procedure, LPCWSTR cursor, HBRUSH background);

}  // namespace tavorin
