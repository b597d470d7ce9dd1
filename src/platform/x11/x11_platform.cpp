#include "platform/x11/x11_platform.h"

// Qt before Xlib: Xlib's macros (None, Bool, Status...) break Qt headers.
#include <QApplication>
#include <QMessageBox>
#include <QSocketNotifier>
#include <QStyleHints>
#include <QString>
#include <QTimer>

#include <X11/Xlib.h>
#include <X11/keysym.h>
#include <X11/extensions/XTest.h>

#include <algorithm>
#include <chrono>
#include <stdexcept>

#include "core/execution/number_rules.h"
#include "platform/x11/event_loop_sleep.h"
#include "platform/x11/input_reach.h"
#include "platform/x11/screen_awake.h"
#include "platform/x11/window_stacking.h"
#include "platform/x11/x11_clipboard.h"
#include "platform/x11/x11_keyboard.h"
#include "platform/x11/x11_screen_area.h"
#include "platform/x11/x11_stop_key.h"

namespace tavorin {
namespace {

constexpr std::uint8_t kEscapeKey = 27;
constexpr std::uint8_t kControlKey = 17;
constexpr std::uint8_t kKeyV = 86;

struct ButtonFlags {
  std::uint32_t flag;
  unsigned button;
  bool press;
};

// In ascending bit order, so a down is always sent before its up.
constexpr ButtonFlags kButtons[] = {
    {kLeftDown, Button1, true},   {kLeftUp, Button1, false},
    {kRightDown, Button3, true},  {kRightUp, Button3, false},
    {kMiddleDown, Button2, true}, {kMiddleUp, Button2, false},
};

}  // namespace

X11Platform::X11Platform() {
  display_ = XOpenDisplay(nullptr);
  if (display_ == nullptr) throw std::runtime_error("cannot open the X display");
  int eventBase = 0, errorBase = 0, major = 0, minor = 0;
  if (!XTestQueryExtension(display_, &eventBase, &errorBase, &major, &minor)) {
    XCloseDisplay(display_);
    throw std::runtime_error("the X server has no XTest extension");
  }
  // Synthetic events must not be dropped while another client grabs the
  // server (a menu being open, for example).
  XTestGrabControl(display_, True);
  keyboard_ = std::make_unique<X11Keyboard>(display_);
  stopKey_ = std::make_unique<X11StopKey>();
  stopKeyNotifier_ = std::make_unique<QSocketNotifier>(stopKey_->ConnectionFd(), QSocketNotifier::Read);
  stopKeyNotifier_->setEnabled(false);
  // Reading the press ends the wake-up; the pause then asks StopRequested.
  QObject::connect(stopKeyNotifier_.get(), &QSocketNotifier::activated, [this] { stopKey_->Pressed(); });
  clipboard_ = std::make_unique<X11Clipboard>(display_, [this] { return StopRequested(); });
  reach_ = std::make_unique<InputReach>();
  awake_ = std::make_unique<ScreenAwake>(display_);
}

X11Platform::~X11Platform() {
  awake_.reset();
  reach_.reset();
  clipboard_.reset();
  stopKeyNotifier_.reset();
  stopKey_.reset();
  keyboard_.reset();
  XCloseDisplay(display_);
}

void X11Platform::SetCursorPos(std::int32_t x, std::int32_t y) {
  // Coordinates are device pixels of the X screen. The protocol carries 16
  // bits, so a position past the edge is clamped here, not left to wrap.
  const int screen = DefaultScreen(display_);
  XTestFakeMotionEvent(display_, screen, ClampToScreen(x, DisplayWidth(display_, screen)),
                       ClampToScreen(y, DisplayHeight(display_, screen)), CurrentTime);
  XSync(display_, False);
}

void X11Platform::MouseEvent(std::uint32_t flags) {
  for (const auto& entry : kButtons) {
    if (flags & entry.flag) {
      XTestFakeButtonEvent(display_, entry.button, entry.press ? True : False, CurrentTime);
    }
  }
  XSync(display_, False);
}

void X11Platform::KeyEvent(std::uint8_t virtualKey, bool keyUp) {
  // An Esc the run sends itself goes to the target, around the stop grab.
  if (virtualKey == kEscapeKey && !keyUp) stopKey_->Suspend();
  if (keyUp) {
    keyboard_->Release(virtualKey);
  } else {
    if (virtualKey == kKeyV && keyboard_->Held(kControlKey)) clipboard_->BeforePaste();
    keyboard_->Press(virtualKey);
  }
  if (virtualKey == kEscapeKey && keyUp) stopKey_->Resume();
}

void X11Platform::Sleep(std::int32_t milliseconds) {
  if (watching_) {
    if (!StopRequested()) SleepServingEvents(milliseconds, [this] { return StopRequested(); });
  } else {
    SleepServingEvents(milliseconds);
  }
}

void X11Platform::ClearClipboard() { clipboard_->Clear(); }

void X11Platform::SetClipboardText(const std::u16string& text) { clipboard_->Set(text); }

void X11Platform::ShowError(const std::u16string& message) {
  QMessageBox box(QMessageBox::Critical, QStringLiteral("错误"), QString::fromStdU16String(message),
                  QMessageBox::Ok);
  // The target may be always-on-top itself; the box must still be seen and
  // answered, and the key that answers it is not a stop.
  box.setWindowFlag(Qt::WindowStaysOnTopHint, true);
  QTimer::singleShot(0, &box, [&box] { BringToFront(&box); });
  if (watching_) stopKey_->Suspend();
  box.exec();
  if (watching_) stopKey_->Resume();
}

void X11Platform::BeginStopWatch() {
  watching_ = true;
  stopKey_->Begin();
  stopKeyNotifier_->setEnabled(true);
}

void X11Platform::EndStopWatch() {
  watching_ = false;
  stopKeyNotifier_->setEnabled(false);
  stopKey_->End();
  // What the run pasted last is not held for the next run's first copy.
  clipboard_->Forget();
  // A key missing from the keymap stays bound for the rest of the run: a
  // busy target looks the keycode up only when it gets round to the change.
  keyboard_->UnbindBorrowedKeycodes();
}

bool X11Platform::StopRequested() { return watching_ && stopKey_->Pressed(); }

// A stop already asked for ends the run as the user's stop, not as a fault.
DeliveryFault X11Platform::CheckDelivery(DeliveryCheck when) {
  if (when == DeliveryCheck::kBeforeInput && !StopRequested()) {
    // Without its grab the stop key would go unheard, and sampling the key
    // instead would let the user's Esc reach whoever holds it.
    if (!stopKey_->Watchable()) return DeliveryFault::kInputBlocked;
    if (const DeliveryFault fault = reach_->Check(); fault != DeliveryFault::kNone) return fault;
  }
  return ClipboardFault(when);
}

DeliveryFault X11Platform::ClipboardFault(DeliveryCheck when) { return clipboard_->Fault(when); }

void X11Platform::KeepAwake(bool on) { awake_->Set(on); }

std::vector<std::uint32_t> X11Platform::ReadScreenArea(const ScreenRect& area) { return ReadRootArea(display_, area); }

std::int64_t X11Platform::SteadyMs() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

// Each X toolkit judges double-clicks by its own settings; Qt's come from the
// desktop's. GTK's and the browsers' defaults (400–500 ms, 5 pixels) are the
// least assumed, so a target on another toolkit is covered too.
DoubleClickLimits X11Platform::DoubleClickSpan() {
  const QStyleHints* hints = QGuiApplication::styleHints();
  const int distance = std::max(hints->mouseDoubleClickDistance(), 5);
  return {std::max(hints->mouseDoubleClickInterval(), 500), 2 * distance, 2 * distance};
}

}  // namespace tavorin
