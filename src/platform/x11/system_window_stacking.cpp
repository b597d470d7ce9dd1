#include <QWidget>

#include "core/interfaces/window_stacking.h"
#include "platform/x11/window_stacking.h"

namespace tavorin {
namespace {

// The program's windows are Qt widgets; the band is changed through the
// widget that owns the window, which knows whether it is mapped yet.
class X11WindowStacking : public WindowStacking {
 public:
  void MakeTopmost(WindowHandle window) override { tavorin::MakeTopmost(Find(window)); }
  void MakeNotTopmost(WindowHandle window) override { tavorin::MakeNotTopmost(Find(window)); }

 private:
  static QWidget* Find(WindowHandle window) { return QWidget::find(static_cast<WId>(window)); }
};

}  // namespace

WindowStacking& SystemWindowStacking() {
  static X11WindowStacking stacking;
  return stacking;
}

}  // namespace tavorin
