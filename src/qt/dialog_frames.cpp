#include "qt/dialog_frames.h"

#include <QApplication>
#include <QDialog>
#include <QEvent>

#include "platform/x11/dialog_frame.h"

namespace tavorin {
namespace {

class DialogFrames : public QObject {
 public:
  using QObject::QObject;

 protected:
  // The show event comes after the native window exists and before it is
  // mapped, while the window manager can still be told what it is.
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Show) {
      auto* dialog = qobject_cast<QDialog*>(watched);
      if (dialog != nullptr && dialog->isWindow()) OfferNoMinimise(*dialog);
    }
    return false;
  }
};

}  // namespace

void InstallDialogFrames(QApplication& app) { app.installEventFilter(new DialogFrames(&app)); }

}  // namespace tavorin
