#include "platform/x11/screen_awake.h"

// Qt before Xlib: Xlib's macros (None, Bool, Status...) break Qt headers.
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDir>
#include <QFileInfo>

#include <X11/Xlib.h>
#include <X11/extensions/scrnsaver.h>

namespace tavorin {
namespace {

const QString kService = QStringLiteral("org.freedesktop.ScreenSaver");
const QString kPath = QStringLiteral("/org/freedesktop/ScreenSaver");

// Without an address or the usual socket the D-Bus library would start a
// bus of its own for this display; a session without one has no desktop
// service to ask anyway.
bool SessionBusKnown() {
  if (!qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS")) return true;
  const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
  return !runtime.isEmpty() && QFileInfo::exists(QDir(runtime).filePath(QStringLiteral("bus")));
}

}  // namespace

void ScreenAwake::Set(bool on) {
  if (on == on_) return;
  on_ = on;
  SuspendServerSaver(on);
  if (on) {
    Inhibit();
  } else if (cookie_) {
    UnInhibit(*cookie_);
    cookie_.reset();
  }
}

// Suspending needs version 1.1 of the extension; an older server would
// answer with an error that ends the program.
void ScreenAwake::SuspendServerSaver(bool suspend) {
  int eventBase = 0, errorBase = 0, major = 0, minor = 0;
  if (!XScreenSaverQueryExtension(display_, &eventBase, &errorBase) ||
      !XScreenSaverQueryVersion(display_, &major, &minor) || major * 100 + minor < 101) {
    return;
  }
  XScreenSaverSuspend(display_, suspend ? True : False);
  XSync(display_, False);
}

// Asked without waiting: a slow desktop must not hold up the run. An answer
// that comes after the run is over is given back at once.
void ScreenAwake::Inhibit() {
  if (!SessionBusKnown()) return;
  QDBusMessage call = QDBusMessage::createMethodCall(kService, kPath, kService, QStringLiteral("Inhibit"));
  call << QStringLiteral("Tavorin") << QStringLiteral("正在执行动作");
  auto* watcher = new QDBusPendingCallWatcher(QDBusConnection::sessionBus().asyncCall(call), &replies_);
  QObject::connect(watcher, &QDBusPendingCallWatcher::finished, &replies_, [this](QDBusPendingCallWatcher* done) {
    const QDBusPendingReply<unsigned> reply = *done;
    done->deleteLater();
    if (reply.isError()) return;
    if (on_ && !cookie_) {
      cookie_ = reply.value();
    } else {
      UnInhibit(reply.value());
    }
  });
}

void ScreenAwake::UnInhibit(unsigned cookie) {
  QDBusMessage call = QDBusMessage::createMethodCall(kService, kPath, kService, QStringLiteral("UnInhibit"));
  call << cookie;
  QDBusConnection::sessionBus().send(call);
}

}  // namespace tavorin
