#pragma once

#include "core/interfaces/controls.h"

class QLineEdit;
class QPlainTextEdit;
class QWidget;

namespace tavorin {

// The text-box operations over a single-line QLineEdit or a multi-line
// QPlainTextEdit. The multi-line editor keeps "\n" inside; the logic sees
// CR LF, as it would in a Windows text box.
class QtTextBox : public TextBox {
 public:
  explicit QtTextBox(QLineEdit& edit);
  explicit QtTextBox(QPlainTextEdit& edit);

  std::u16string Text() const override;
  void SetText(const std::u16string& text) override;
  void Select(int start, int length) override;
  bool SetFocus() override;
  bool Enabled() const override;
  void SetEnabled(bool enabled) override;

 private:
  QWidget& widget_;
  QLineEdit* line_ = nullptr;
  QPlainTextEdit* plain_ = nullptr;
};

}  // namespace tavorin
