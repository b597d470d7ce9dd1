#include "platform/x11/x11_platform.h"

// Qt before Xlib: Xlib's macros (None, Bool, Status...) break Qt headers.
#include <QApplication>
#include <QClipboard>
#include <QMessageBox>
#include <QString>

#include <X11/Xlib.h>
#include <X11/keysym.h>
#include <X11/extensions/XTest.h>

#include <stdexcept>

#include "platform/x11/event_loop_sleep.h"
#include "platform/x11/x11_keyboard.h"

namespace tavorin {
namespace {

constexpr std::uint8_t kEscapeKey = 27;

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
}

X11Platform::~X11Platform() {
  keyboard_.reset();
  XCloseDisplay(display_);
}

void X11Platform::SetCursorPos(std::int32_t x, std::int32_t y) {
  // Screen -1 means the screen the pointer is on; coordinates are device
  // pixels of the X screen.
  XTestFakeMotionEvent(display_, -1, x, y, CurrentTime);
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
  // An Esc the run sends itself must not read as the user's stop.
  if (virtualKey == kEscapeKey) ownEscapeHeld_ = !keyUp;
  if (keyUp) {
    keyboard_->Release(virtualKey);
  } else {
    keyboard_->Press(virtualKey);
  }
}

void X11Platform::Sleep(std::int32_t milliseconds) {
  if (watching_) {
    if (!StopRequested()) SleepServingEvents(milliseconds, [this] { return StopRequested(); });
  } else {
    SleepServingEvents(milliseconds);
  }
  // A key missing from the keymap stays bound through the pause after its
  // tap, long enough for the target to look the keycode up.
  keyboard_->UnbindBorrowedKeycodes();
}

void X11Platform::ClearClipboard() { QGuiApplication::clipboard()->clear(QClipboard::Clipboard); }

void X11Platform::SetClipboardText(const std::u16string& text) {
  QGuiApplication::clipboard()->setText(QString::fromStdU16String(text), QClipboard::Clipboard);
}

void X11Platform::ShowError(const std::u16string& message) {
  QMessageBox box(QMessageBox::Critical, QStringLiteral("错误"), QString::fromStdU16String(message),
                  QMessageBox::Ok);
  box.exec();
}

void X11Platform::BeginStopWatch() {
  watching_ = true;
  stopped_ = false;
  // Only a press that starts during the run counts; an Esc still held from
  // before (the one that answered a dialog, say) does not.
  escapeWasUp_ = !EscapeDown();
}

void X11Platform::EndStopWatch() { watching_ = false; }

// The keyboard state is polled rather than grabbed: a grab would also take
// the Esc presses the run sends to the target application.
bool X11Platform::StopRequested() {
  if (!watching_ || stopped_) return stopped_;
  const bool down = EscapeDown();
  if (down && escapeWasUp_ && !ownEscapeHeld_) stopped_ = true;
  escapeWasUp_ = !down;
  return stopped_;
}

bool X11Platform::EscapeDown() {
  const KeyCode escape = XKeysymToKeycode(display_, XK_Escape);
  if (escape == 0) return false;
  char keys[32] = {};
  XQueryKeymap(display_, keys);
  return (keys[escape / 8] & (1 << (escape % 8))) != 0;
}

}  // namespace tavorin
