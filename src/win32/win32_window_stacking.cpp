#include <windows.h>

#include "core/interfaces/window_stacking.h"

namespace tavorin {
namespace {

// SetWindowPos with the band's insert-after handle, keeping position and size.
class Win32WindowStacking : public WindowStacking {
 public:
  void MakeTopmost(WindowHandle window) override { Place(window, HWND_TOPMOST); }
  void MakeNotTopmost(WindowHandle window) override { Place(window, HWND_NOTOPMOST); }

 private:
  static void Place(WindowHandle window, HWND band) {
    SetWindowPos(reinterpret_cast<HWND>(window), band, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
};

}  // namespace

WindowStacking& SystemWindowStacking() {
  static Win32WindowStacking stacking;
  return stacking;
}

}  // namespace tavorin
