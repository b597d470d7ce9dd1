#pragma once

#include <string>

namespace tavorin {

// The operations every part of the program uses on its four lists. Positions
// and counts are 16-bit in the original design, so a list never holds more
// than kMaxListItems items.
class ListBox {
 public:
  static constexpr int kMaxListItems = 32767;

  virtual ~ListBox() = default;

  virtual int ListCount() const = 0;
  // Number of flagged items: checked rows in a check-box list, the selected
  // row in a plain list.
  virtual int SelCount() const = 0;
  // Current (highlighted) item, -1 for none.
  virtual int ListIndex() const = 0;
  virtual void SetListIndex(int index) = 0;
  virtual std::u16string List(int index) const = 0;
  // Replaces the text in place; the flag and the position stay.
  virtual void SetList(int index, const std::u16string& text) = 0;
  virtual bool Selected(int index) const = 0;
  virtual void SetSelected(int index, bool flag) = 0;
  // Appends an unflagged item. Returns false, and changes nothing, when the
  // list is already full.
  virtual bool AddItem(const std::u16string& text) = 0;
  // Later items move up; when the removed item was current, none is.
  virtual void RemoveItem(int index) = 0;
  virtual void Clear() = 0;
};

}  // namespace tavorin
