#pragma once

#include <functional>
#include <string>

#include "ui/controls.h"

namespace tavorin::testing {

// A text box that, like a real one, raises its change reaction on every text
// change, including changes made from inside that reaction.
class FakeTextBox : public TextBox {
 public:
  std::function<void()> onChange;

  std::u16string Text() const override { return text_; }
  void SetText(const std::u16string& text) override {
    if (text == text_) return;  // a real box raises no change for equal text
    text_ = text;
    if (onChange) onChange();
  }
  void Select(int start, int length) override {
    selectionStart = start;
    selectionLength = length;
  }
  bool SetFocus() override {
    if (!enabled_) return false;
    focused = true;
    return true;
  }
  bool Enabled() const override { return enabled_; }
  void SetEnabled(bool enabled) override { enabled_ = enabled; }

  // What the user does: type replaces the text as a keystroke would.
  void Type(const std::u16string& text) { SetText(text); }

  int selectionStart = -1;
  int selectionLength = -1;
  bool focused = false;

 private:
  std::u16string text_;
  bool enabled_ = true;
};

class FakeLabel : public Label {
 public:
  explicit FakeLabel(std::u16string caption = {}) : caption_(std::move(caption)) {}
  std::u16string Caption() const override { return caption_; }
  void SetCaption(const std::u16string& caption) override { caption_ = caption; }

 private:
  std::u16string caption_;
};

}  // namespace tavorin::testing
