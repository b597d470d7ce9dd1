#include "core/interfaces/memory_list_box.h"

#include <algorithm>

namespace tavorin {

bool MemoryListBox::Valid(int index) const {
  return index >= 0 && index < static_cast<int>(items_.size());
}

int MemoryListBox::ListCount() const { return static_cast<int>(items_.size()); }

int MemoryListBox::SelCount() const {
  return static_cast<int>(std::count_if(items_.begin(), items_.end(), [](const Item& item) { return item.flag; }));
}

int MemoryListBox::ListIndex() const { return current_; }

void MemoryListBox::SetListIndex(int index) { current_ = Valid(index) ? index : -1; }

std::u16string MemoryListBox::List(int index) const { return Valid(index) ? items_[index].text : std::u16string(); }

void MemoryListBox::SetList(int index, const std::u16string& text) {
  if (Valid(index)) items_[index].text = text;
}

bool MemoryListBox::Selected(int index) const { return Valid(index) && items_[index].flag; }

void MemoryListBox::SetSelected(int index, bool flag) {
  if (Valid(index)) items_[index].flag = flag;
}

bool MemoryListBox::AddItem(const std::u16string& text) {
  if (ListCount() >= kMaxListItems) return false;
  items_.push_back({text, false});
  return true;
}

void MemoryListBox::RemoveItem(int index) {
  if (!Valid(index)) return;
  items_.erase(items_.begin() + index);
  if (current_ == index) {
    current_ = -1;
  } else if (current_ > index) {
    --current_;
  }
}

void MemoryListBox::Clear() {
  items_.clear();
  current_ = -1;
}

}  // namespace tavorin
