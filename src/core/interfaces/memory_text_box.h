#pragma once

#include <string>

#include "core/interfaces/controls.h"

namespace tavorin {

// A text box held in memory, for runs over controls nobody sees: it keeps
// its text and nothing else.
class MemoryTextBox : public TextBox {
 public:
  std::u16string Text() const override { return text_; }
  void SetText(const std::u16string& text) override { text_ = text; }
  void Select(int, int) override {}
  bool SetFocus() override { return false; }
  bool Enabled() const override { return true; }
  void SetEnabled(bool) override {}

 private:
  std::u16string text_;
};

}  // namespace tavorin
