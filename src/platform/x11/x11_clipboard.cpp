#include "platform/x11/x11_clipboard.h"

// Qt before Xlib: Xlib's macros (None, Bool, Status...) break Qt headers.
#include <QAbstractNativeEventFilter>
#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include <xcb/xcb.h>

#include <algorithm>
#include <vector>

#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include "platform/x11/event_loop_sleep.h"

namespace tavorin {
namespace {

// How long the clipboard keeps a pasted text for a target that has not
// fetched it yet, counted from the Ctrl+V; a target that ignores the paste
// costs what of it the run's own pauses have not already spent.
constexpr auto kPasteHold = std::chrono::milliseconds(500);
// Our own property change comes back within a round trip; this bounds it
// for a server that has gone away.
constexpr std::int32_t kCatchUpMs = 2000;

}  // namespace

// Sees Qt's events before Qt handles them, in the server's order: a request
// for our text is answered (Qt still owns it then); a SelectionClear means
// another program owns the clipboard from then on.
class X11Clipboard::Watch : public QAbstractNativeEventFilter {
 public:
  Watch(Display* display, unsigned long clipboard, unsigned long syncProperty)
      : clipboard_(clipboard), syncProperty_(syncProperty) {
    // Asking for the list of formats, the time, or whether to keep the
    // text out of a history is not fetching it.
    for (const char* name : {"TARGETS", "TIMESTAMP", "x-kde-passwordManagerHint"}) {
      notFetching_.push_back(XInternAtom(display, name, False));
    }
    qApp->installNativeEventFilter(this);
  }
  ~Watch() override { qApp->removeNativeEventFilter(this); }

  bool nativeEventFilter(const QByteArray& type, void* message, qintptr*) override {
    if (type != "xcb_generic_event_t") return false;
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    switch (event->response_type & 0x7f) {
      case XCB_SELECTION_REQUEST: {
        const auto* request = static_cast<const xcb_selection_request_event_t*>(message);
        if (armed && request->selection == clipboard_ && !lost &&
            std::ranges::find(notFetching_, request->target) == notFetching_.end()) {
          fetched = true;
        }
        break;
      }
      case XCB_SELECTION_CLEAR:
        if (armed && static_cast<const xcb_selection_clear_event_t*>(message)->selection == clipboard_ && !fetched) {
          lost = true;
        }
        break;
      case XCB_PROPERTY_NOTIFY:
        if (static_cast<const xcb_property_notify_event_t*>(message)->atom == syncProperty_) ++syncs;
        break;
    }
    return false;
  }

  bool armed = false;  // a Ctrl+V went out with our text, not yet settled
  bool fetched = false;
  bool lost = false;
  int syncs = 0;

 private:
  unsigned long clipboard_;
  unsigned long syncProperty_;
  std::vector<unsigned long> notFetching_;
};

X11Clipboard::X11Clipboard(Display* display, std::function<bool()> stopped)
    : display_(display), stopped_(std::move(stopped)) {
  clipboard_ = XInternAtom(display_, "CLIPBOARD", False);
  syncProperty_ = XInternAtom(display_, "_TAVORIN_SYNC", False);
  watch_ = std::make_unique<Watch>(display_, clipboard_, syncProperty_);
}

X11Clipboard::~X11Clipboard() = default;

// Windows of one client share its resource-id base; Qt's owner window is one
// of those of Qt's connection.
bool X11Clipboard::OwnedByUs() const {
  auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
  if (x11 == nullptr) return false;
  const xcb_setup_t* setup = xcb_get_setup(x11->connection());
  const Window owner = XGetSelectionOwner(display_, clipboard_);
  return owner != 0 && (owner & ~Window(setup->resource_id_mask)) == setup->resource_id_base;
}

// Changes a property of the root window and serves events until Qt has seen
// the change: everything the server sent Qt before (a SelectionClear from a
// program that took the clipboard) has then been handled, and Qt's notion
// of the server time is no older than that program's claim, so Qt's next
// claim is not refused as out of date.
void X11Clipboard::CatchUp() {
  const int before = watch_->syncs;
  XChangeProperty(display_, DefaultRootWindow(display_), syncProperty_, XA_INTEGER, 32, PropModeReplace, nullptr,
                  0);
  XFlush(display_);
  SleepServingEvents(kCatchUpMs, [&] { return watch_->syncs != before; });
}

void X11Clipboard::Take() {
  if (!OwnedByUs()) CatchUp();
  auto* data = new QMimeData;
  data->setText(QString::fromStdU16String(*text_));
  // Clipboard managers that honour this keep the record out of their history.
  data->setData(QStringLiteral("x-kde-passwordManagerHint"), QByteArrayLiteral("secret"));
  QGuiApplication::clipboard()->setMimeData(data, QClipboard::Clipboard);
}

void X11Clipboard::Set(const std::u16string& text) {
  AwaitPaste();
  text_ = text;
  Take();
}

void X11Clipboard::Clear() {
  AwaitPaste();
  text_.reset();
  QGuiApplication::clipboard()->clear(QClipboard::Clipboard);
}

void X11Clipboard::BeforePaste() {
  if (!text_) return;
  // A paste right after another settles the earlier one no further.
  if (watch_->armed && watch_->lost) faulted_ = true;
  // One round trip: the server knows the owner.
  bool ours = OwnedByUs();
  if (!ours) {
    Take();
    ours = OwnedByUs();
  }
  watch_->fetched = false;
  // Not ours even now: the target will paste another program's text.
  watch_->lost = !ours;
  watch_->armed = true;
  pasteAt_ = std::chrono::steady_clock::now();
}

// A target fetches a pasted text some time after the Ctrl+V, later on a busy
// machine: the text stays until it has, or another program took it first.
void X11Clipboard::AwaitPaste() {
  if (!watch_->armed) return;
  const auto settled = [this] { return watch_->fetched || watch_->lost || (stopped_ && stopped_()); };
  const auto left = std::chrono::ceil<std::chrono::milliseconds>(pasteAt_ + kPasteHold -
                                                                  std::chrono::steady_clock::now());
  if (!settled() && left.count() > 0) SleepServingEvents(static_cast<std::int32_t>(left.count()), settled);
  watch_->armed = false;
  if (watch_->lost) faulted_ = true;
}

DeliveryFault X11Clipboard::Fault(DeliveryCheck when) {
  if (when == DeliveryCheck::kPassEnd) AwaitPaste();
  if (watch_->armed && watch_->lost) AwaitPaste();
  if (!faulted_) return DeliveryFault::kNone;
  faulted_ = false;
  return DeliveryFault::kClipboardLost;
}

void X11Clipboard::Forget() {
  watch_->armed = false;
  faulted_ = false;
}

}  // namespace tavorin
