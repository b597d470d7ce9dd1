#pragma once

#include <functional>
#include <string>
#include <vector>

#include "core/interfaces/controls.h"
#include "core/interfaces/list_box.h"

namespace tavorin::testing {

using Lines = std::vector<std::u16string>;

// Appends the items to a list, checked or not.
inline void Fill(ListBox& list, const Lines& items, bool checked = false) {
  for (const auto& item : items) {
    list.AddItem(item);
    list.SetSelected(list.ListCount() - 1, checked);
  }
}

inline Lines Items(const ListBox& list) {
  Lines items;
  for (int i = 0; i < list.ListCount(); ++i) items.push_back(list.List(i));
  return items;
}

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
  void Select(int start, int length) override { selectionStart = start; selectionLength = length; }
  bool SetFocus() override { return focused = enabled_; }
  bool Enabled() const override { return enabled_; }
  void SetEnabled(bool enabled) override { enabled_ = enabled; }

  // What the user does: type replaces the text as a keystroke would.
  void Type(const std::u16string& text) { SetText(text); }

  int selectionStart = -1, selectionLength = -1;
  bool focused = false;

 private:
  std::u16string text_;
  bool enabled_ = true;
};

class FakeLabel : public Label {
 public:
  std::u16string Caption() const override { return caption; }
  void SetCaption(const std::u16string& text) override { caption = text; }

  std::u16string caption;
};

}  // namespace tavorin::testing
