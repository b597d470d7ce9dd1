#pragma once

#include <string>
#include <vector>

#include "core/interfaces/list_box.h"

namespace tavorin {

// A list held in memory, for the hidden pass list and for tests. Flags and the
// current item are independent, as in a check-box list.
class MemoryListBox : public ListBox {
 public:
  int ListCount() const override;
  int SelCount() const override;
  int ListIndex() const override;
  void SetListIndex(int index) override;
  std::u16string List(int index) const override;
  void SetList(int index, const std::u16string& text) override;
  bool Selected(int index) const override;
  void SetSelected(int index, bool flag) override;
  bool AddItem(const std::u16string& text) override;
  void RemoveItem(int index) override;
  void Clear() override;

 private:
  bool Valid(int index) const;

  struct Item {
    std::u16string text;
    bool flag = false;
  };
  std::vector<Item> items_;
  int current_ = -1;
};

}  // namespace tavorin
