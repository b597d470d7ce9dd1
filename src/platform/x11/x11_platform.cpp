#include "platform/x11/x11_platform.h"

// Qt before Xlib: Xlib's macros (None, Bool, Status...) break Qt headers.
#include <QAbstractNativeEventFilter>
#include <QApplication>
#include <QClipboard>
#include <QMessageBox>
#include <QString>
#include <QTimer>

#include <xcb/xcb.h>

#include <X11/Xlib.h>
#include <X11/keysym.h>
#include <X11/extensions/XTest.h>

#include <stdexcept>

#include "core/execution/number_rules.h"
#include "platform/x11/event_loop_sleep.h"
#include "platform/x11/window_stacking.h"
#include "platform/x11/x11_keyboard.h"
#include "platform/x11/x11_screen_area.h"
#include "platform/x11/x11_stop_key.h"

namespace tavorin {
namespace {

constexpr std::uint8_t kEscapeKey = 27;
constexpr std::uint8_t kControlKey = 17;
constexpr std::uint8_t kKeyV = 86;
// How long the clipboard keeps a pasted text for a target that has not
// fetched it yet; a target that ignores the paste costs this once.
constexpr std::int32_t kPasteFetchMs = 500;

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

// Counts the requests of other programs for the clipboard's text (Qt
// answers them); a request for the list of formats comes first and is not
// one.
class X11Platform::ClipboardRequests : public QAbstractNativeEventFilter {
 public:
  ClipboardRequests(unsigned long clipboard, unsigned long targets) : clipboard_(clipboard), targets_(targets) {
    qApp->installNativeEventFilter(this);
  }
  ~ClipboardRequests() override { qApp->removeNativeEventFilter(this); }
  bool nativeEventFilter(const QByteArray& type, void* message, qintptr*) override {
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    if (type == "xcb_generic_event_t" && (event->response_type & 0x7f) == XCB_SELECTION_REQUEST) {
      const auto* request = static_cast<const xcb_selection_request_event_t*>(message);
      if (request->selection == clipboard_ && request->target != targets_) ++count;
    }
    return false;
  }
  int count = 0;

 private:
  unsigned long clipboard_;
  unsigned long targets_;
};

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
  clipboardAtom_ = XInternAtom(display_, "CLIPBOARD", False);
  requests_ = std::make_unique<ClipboardRequests>(clipboardAtom_, XInternAtom(display_, "TARGETS", False));
}

X11Platform::~X11Platform() {
  requests_.reset();
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
    if (virtualKey == kKeyV && keyboard_->Held(kControlKey) && ownText_) {
      KeepClipboardText();
      requestsBeforePaste_ = requests_->count;
      pasteUnfetched_ = true;
    }
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

// A target fetches a pasted text some time after the Ctrl+V, later on a
// busy machine: the text stays until it has, or it would get nothing.
void X11Platform::AwaitPasteFetched() {
  if (!pasteUnfetched_) return;
  pasteUnfetched_ = false;
  const auto fetched = [this] { return requests_->count > requestsBeforePaste_ || StopRequested(); };
  if (!fetched()) SleepServingEvents(kPasteFetchMs, fetched);
}

void X11Platform::ClearClipboard() {
  AwaitPasteFetched();
  ownText_.reset();
  QGuiApplication::clipboard()->clear(QClipboard::Clipboard);
}

void X11Platform::SetClipboardText(const std::u16string& text) {
  AwaitPasteFetched();
  ownText_ = text;
  QGuiApplication::clipboard()->setText(QString::fromStdU16String(text), QClipboard::Clipboard);
  // Qt sets the owner synchronously; asking the server who owns it now gives
  // the window to compare with before each paste.
  owner_ = XGetSelectionOwner(display_, clipboardAtom_);
}

// Another program may have taken the clipboard since the copy: the server
// knows the owner, so one round trip tells, and the text goes back.
void X11Platform::KeepClipboardText() {
  if (!ownText_ || XGetSelectionOwner(display_, clipboardAtom_) == owner_) return;
  SetClipboardText(*ownText_);
}

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
}

void X11Platform::EndStopWatch() {
  watching_ = false;
  stopKey_->End();
  // A key missing from the keymap stays bound for the rest of the run: a
  // busy target looks the keycode up only when it gets round to the change.
  keyboard_->UnbindBorrowedKeycodes();
}

bool X11Platform::StopRequested() { return watching_ && stopKey_->Pressed(); }

// Not yet watched on this system: nothing is known to have gone wrong.
DeliveryFault X11Platform::CheckDelivery(DeliveryCheck) { return DeliveryFault::kNone; }

void X11Platform::KeepAwake(bool) {}

std::vector<std::uint32_t> X11Platform::ReadScreenArea(const ScreenRect& area) { return ReadRootArea(display_, area); }

}  // namespace tavorin
