#include <windows.h>
#include <commctrl.h>

#include "core/interfaces/desktop_platform.h"
#include "win32/form1.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int showCommand) {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_TAB_CLASSES |
                                                     ICC_LISTVIEW_CLASSES | ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);
  tavorin::Form1 form(&tavorin::MakeDesktopPlatform);
  form.ShowMainWindow(showCommand);
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    // Tab moves between the controls of the main window as in a dialog.
    if (IsDialogMessageW(form.Handle(), &message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return static_cast<int>(message.wParam);
}
