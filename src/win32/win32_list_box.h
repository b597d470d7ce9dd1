#pragma once

#include <windows.h>

#include "core/interfaces/list_box.h"

namespace tavorin {

// A plain single-selection LISTBOX: an item's flag is being the selected
// (and so the current) row.
class Win32PlainList : public ListBox {
 public:
  explicit Win32PlainList(HWND list) : list_(list) {}

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
  bool Valid(int index) const { return index >= 0 && index < ListCount(); }

  HWND list_;
};

// A one-column list-view with a check box on every row: an item's flag is its
// check mark, the current item is the highlighted row.
class Win32CheckList : public ListBox {
 public:
  // Gives the list-view its check boxes and its single full-width column.
  explicit Win32CheckList(HWND listView);
  ~Win32CheckList() override;
  Win32CheckList(const Win32CheckList&) = delete;
  Win32CheckList& operator=(const Win32CheckList&) = delete;

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

  // True while one of the operations above changes the control: the change
  // notifications it sends then are the program's own, not the user's.
  bool Changing() const { return changing_ > 0; }
  // Keeps the column as wide as the list's client area: after a change of
  // scale, and whenever the vertical scroll bar comes or goes.
  void FitColumn();

 private:
  static LRESULT CALLBACK ListProc(HWND list, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                   DWORD_PTR self);

  bool Valid(int index) const { return index >= 0 && index < ListCount(); }

  HWND list_;
  int changing_ = 0;
};

}  // namespace tavorin
