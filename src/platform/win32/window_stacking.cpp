#include "platform/win32/window_stacking.h"

namespace tavorin {
namespace {

void PlaceInBand(HWND window, HWND band) {
  SetWindowPos(window, band, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

}  // namespace

void MakeTopmost(HWND window) { PlaceInBand(window, HWND_TOPMOST); }

void MakeNotTopmost(HWND window) { PlaceInBand(window, HWND_NOTOPMOST); }

}  // namespace tavorin
