#pragma once

#include <cstdint>
#include <memory>

#include "core/interfaces/list_box.h"

class QListWidget;

namespace tavorin {

class ModelChangeCounter;

// The list operations over a QListWidget. In a check-box list the flag of an
// item is its check mark; in a plain list it is the selection. Either way the
// current item is the highlighted row, so a row that Qt keeps as current
// without highlighting it does not count.
class QtListBox : public ListBox {
 public:
  enum class Style { kCheckBoxes, kPlain };

  QtListBox(QListWidget& widget, Style style);
  ~QtListBox() override;

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
  void ClearCurrent();

  QListWidget& widget_;
  Style style_;
  // The number of check marks is counted again only after the list changed:
  // the status line asks for it ten times a second.
  std::unique_ptr<ModelChangeCounter> changes_;
  mutable std::uint64_t countedAt_ = ~std::uint64_t{0};
  mutable int checked_ = 0;
};

}  // namespace tavorin
