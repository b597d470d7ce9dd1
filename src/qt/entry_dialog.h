#pragma once

#include <QDialog>

namespace tavorin {

// The frame shared by the key, wait and insert dialogs: a small fixed tool
// window centred on its owner, with the program's font, sized in twips.
class EntryDialog : public QDialog {
 public:
  EntryDialog(QWidget& owner, const QString& name, const QString& caption, int widthTwips,
              int heightTwips);

 protected:
  // Esc is no cancel key here: only the close box closes without a line.
  void keyPressEvent(QKeyEvent* event) override;
};

}  // namespace tavorin
