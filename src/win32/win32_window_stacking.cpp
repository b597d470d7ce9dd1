#include "core/interfaces/window_stacking.h"
#include "platform/win32/window_stacking.h"

namespace tavorin {
namespace {

// The core's handles are the program's HWNDs.
class Win32WindowStacking : public WindowStacking {
 public:
  void MakeTopmost(WindowHandle window) override { tavorin::MakeTopmost(reinterpret_cast<HWND>(window)); }
  void MakeNotTopmost(WindowHandle window) override {
    tavorin::MakeNotTopmost(reinterpret_cast<HWND>(window));
  }
};

}  // namespace

WindowStacking& SystemWindowStacking() {
  static Win32WindowStacking stacking;
  return stacking;
}

}  // namespace tavorin
