#pragma once

#include <windows.h>

#include "core/interfaces/controls.h"

namespace tavorin {

// An EDIT control. A multi-line edit keeps CR LF itself, so texts pass
// through unchanged.
class Win32TextBox : public TextBox {
 public:
  explicit Win32TextBox(HWND edit) : edit_(edit) {}

  std::u16string Text() const override;
  void SetText(const std::u16string& text) override;
  void Select(int start, int length) override;
  bool SetFocus() override;
  bool Enabled() const override;
  void SetEnabled(bool enabled) override;

  HWND Handle() const { return edit_; }

 private:
  HWND edit_;
};

// A STATIC control; a label sized to its text follows its width.
class Win32Label : public Label {
 public:
  Win32Label(HWND label, bool sizedToText) : label_(label), sizedToText_(sizedToText) {}

  std::u16string Caption() const override;
  void SetCaption(const std::u16string& caption) override;

 private:
  HWND label_;
  bool sizedToText_;
};

// Width in pixels of `window`'s text in its own font.
int TextWidth(HWND window);

}  // namespace tavorin
