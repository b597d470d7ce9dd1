#pragma once

#include <string>

namespace tavorin {

// A text box as the logic sees it. Line breaks are CR LF in both directions,
// whatever the toolkit uses inside.
class TextBox {
 public:
  virtual ~TextBox() = default;
  virtual std::u16string Text() const = 0;
  // Raises the box's change reaction, as typing does.
  virtual void SetText(const std::u16string& text) = 0;
  virtual void Select(int start, int length) = 0;
  // Returns false when the box cannot take the focus now (hidden or disabled).
  virtual bool SetFocus() = 0;
  virtual bool Enabled() const = 0;
  virtual void SetEnabled(bool enabled) = 0;
};

class Label {
 public:
  virtual ~Label() = default;
  virtual std::u16string Caption() const = 0;
  virtual void SetCaption(const std::u16string& caption) = 0;
};

}  // namespace tavorin
