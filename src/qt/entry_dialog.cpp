#include "qt/entry_dialog.h"

#include <QKeyEvent>

#include "qt/twips.h"
#include "qt/ui_fonts.h"

namespace tavorin {

EntryDialog::EntryDialog(QWidget& owner, const QString& name, const QString& caption,
                         int widthTwips, int heightTwips)
    : QDialog(&owner, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint) {
  setObjectName(name);
  setWindowTitle(caption);
  setFont(UiFont());
  setFixedSize(TwipsToPixels(widthTwips), TwipsToPixels(heightTwips));
  setModal(true);
}

void EntryDialog::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) return;
  QDialog::keyPressEvent(event);
}

}  // namespace tavorin
