#include "win32/win32_list_box.h"

#include <commctrl.h>

#include "win32/wide_text.h"

namespace tavorin {
namespace {

// Counts a change made by the program for as long as it lasts.
class ChangeScope {
 public:
  explicit ChangeScope(int& depth) : depth_(depth) { ++depth_; }
  ~ChangeScope() { --depth_; }
  ChangeScope(const ChangeScope&) = delete;
  ChangeScope& operator=(const ChangeScope&) = delete;

 private:
  int& depth_;
};

constexpr UINT_PTR kRedrawTimer = 0x7A01;
constexpr UINT_PTR kFitSubclass = 0x7A02;

}  // namespace

// ---- Win32PlainList ----

int Win32PlainList::ListCount() const {
  return static_cast<int>(SendMessageW(list_, LB_GETCOUNT, 0, 0));
}

int Win32PlainList::SelCount() const { return ListIndex() >= 0 ? 1 : 0; }

int Win32PlainList::ListIndex() const {
  const LRESULT current = SendMessageW(list_, LB_GETCURSEL, 0, 0);
  return current == LB_ERR ? -1 : static_cast<int>(current);
}

void Win32PlainList::SetListIndex(int index) {
  SendMessageW(list_, LB_SETCURSEL, Valid(index) ? index : -1, 0);
}

std::u16string Win32PlainList::List(int index) const {
  if (!Valid(index)) return {};
  std::wstring text(static_cast<std::size_t>(SendMessageW(list_, LB_GETTEXTLEN, index, 0)) + 1, L'\0');
  const LRESULT length = SendMessageW(list_, LB_GETTEXT, index, reinterpret_cast<LPARAM>(text.data()));
  text.resize(length == LB_ERR ? 0 : static_cast<std::size_t>(length));
  return FromWide(text);
}

void Win32PlainList::SetList(int index, const std::u16string& text) {
  if (!Valid(index)) return;
  const bool current = ListIndex() == index;
  const std::wstring wide = ToWide(text);
  SendMessageW(list_, WM_SETREDRAW, FALSE, 0);
  SendMessageW(list_, LB_DELETESTRING, index, 0);
  SendMessageW(list_, LB_INSERTSTRING, index, reinterpret_cast<LPARAM>(wide.c_str()));
  if (current) SetListIndex(index);
  SendMessageW(list_, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(list_, nullptr, TRUE);
}

bool Win32PlainList::Selected(int index) const { return Valid(index) && ListIndex() == index; }

void Win32PlainList::SetSelected(int index, bool flag) {
  if (!Valid(index)) return;
  if (flag) {
    SetListIndex(index);
  } else if (ListIndex() == index) {
    SetListIndex(-1);
  }
}

bool Win32PlainList::AddItem(const std::u16string& text) {
  if (ListCount() >= kMaxListItems) return false;
  const std::wstring wide = ToWide(text);
  const LRESULT added = SendMessageW(list_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide.c_str()));
  return added != LB_ERR && added != LB_ERRSPACE;
}

void Win32PlainList::RemoveItem(int index) {
  if (!Valid(index)) return;
  const int current = ListIndex();
  SendMessageW(list_, LB_DELETESTRING, index, 0);
  // The control may hand the highlight on; a removed current item leaves none.
  if (current == index) {
    SetListIndex(-1);
  } else if (current > index) {
    SetListIndex(current - 1);
  }
}

void Win32PlainList::Clear() { SendMessageW(list_, LB_RESETCONTENT, 0, 0); }

// ---- Win32CheckList ----

Win32CheckList::Win32CheckList(HWND listView) : list_(listView) {
  ListView_SetExtendedListViewStyle(list_, LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
  LVCOLUMNW column{};
  column.mask = LVCF_WIDTH;
  column.cx = 100;
  ListView_InsertColumn(list_, 0, &column);
  SetWindowSubclass(list_, ListProc, kFitSubclass, reinterpret_cast<DWORD_PTR>(this));
  FitColumn();
}

Win32CheckList::~Win32CheckList() { RemoveWindowSubclass(list_, ListProc, kFitSubclass); }

void Win32CheckList::FitColumn() {
  RECT client{};
  GetClientRect(list_, &client);
  // Setting the same width again would make the control check its scroll
  // bars again, and that can report another size change.
  if (ListView_GetColumnWidth(list_, 0) != client.right) ListView_SetColumnWidth(list_, 0, client.right);
}

// The vertical bar shows as rows are added (and goes as they are removed)
// and narrows the client area: a column left at the old width would need a
// horizontal bar, which would cover a row.
LRESULT CALLBACK Win32CheckList::ListProc(HWND list, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                          DWORD_PTR self) {
  if (message == WM_TIMER && wParam == kRedrawTimer) {
    KillTimer(list, kRedrawTimer);
    SendMessageW(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
    reinterpret_cast<Win32CheckList*>(self)->FitColumn();
    return 0;
  }
  const LRESULT result = DefSubclassProc(list, message, wParam, lParam);
  if (message == WM_SIZE) reinterpret_cast<Win32CheckList*>(self)->FitColumn();
  return result;
}

int Win32CheckList::ListCount() const { return ListView_GetItemCount(list_); }

int Win32CheckList::SelCount() const {
  int checked = 0;
  for (int i = 0, count = ListCount(); i < count; ++i) {
    if (ListView_GetCheckState(list_, i)) ++checked;
  }
  return checked;
}

int Win32CheckList::ListIndex() const { return ListView_GetNextItem(list_, -1, LVNI_SELECTED); }

void Win32CheckList::SetListIndex(int index) {
  ChangeScope scope(changing_);
  if (!Valid(index)) {
    ListView_SetItemState(list_, -1, 0, LVIS_SELECTED);
    return;
  }
  ListView_SetItemState(list_, index, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
  ListView_EnsureVisible(list_, index, FALSE);
}

std::u16string Win32CheckList::List(int index) const {
  if (!Valid(index)) return {};
  // The control does not tell the length: grow the buffer until it fits.
  for (std::size_t size = 256;; size *= 4) {
    std::wstring text(size, L'\0');
    LVITEMW item{};
    item.iSubItem = 0;
    item.pszText = text.data();
    item.cchTextMax = static_cast<int>(size);
    const auto length = static_cast<std::size_t>(
        SendMessageW(list_, LVM_GETITEMTEXTW, index, reinterpret_cast<LPARAM>(&item)));
    if (length + 1 < size) {
      text.resize(length);
      return FromWide(text);
    }
  }
}

void Win32CheckList::SetList(int index, const std::u16string& text) {
  if (!Valid(index)) return;
  ChangeScope scope(changing_);
  std::wstring wide = ToWide(text);
  ListView_SetItemText(list_, index, 0, wide.data());
}

bool Win32CheckList::Selected(int index) const {
  return Valid(index) && ListView_GetCheckState(list_, index) != 0;
}

void Win32CheckList::SetSelected(int index, bool flag) {
  if (!Valid(index)) return;
  ChangeScope scope(changing_);
  ListView_SetCheckState(list_, index, flag ? TRUE : FALSE);
}

bool Win32CheckList::AddItem(const std::u16string& text) {
  const int count = ListCount();
  if (count >= kMaxListItems) return false;
  ChangeScope scope(changing_);
  std::wstring wide = ToWide(text);
  LVITEMW item{};
  item.mask = LVIF_TEXT;
  item.iItem = count;
  item.pszText = wide.data();
  // Drawing the list-view after every row makes loading a full list take
  // many seconds; it is drawn once the program waits for input again.
  SendMessageW(list_, WM_SETREDRAW, FALSE, 0);
  SetTimer(list_, kRedrawTimer, USER_TIMER_MINIMUM, nullptr);
  // A new row of a check-box list-view starts unchecked.
  return ListView_InsertItem(list_, &item) >= 0;
}

void Win32CheckList::RemoveItem(int index) {
  if (!Valid(index)) return;
  ChangeScope scope(changing_);
  const bool current = ListIndex() == index;
  ListView_DeleteItem(list_, index);
  if (current) ListView_SetItemState(list_, -1, 0, LVIS_SELECTED);
  // Wine's control reports no size change when its vertical bar goes.
  FitColumn();
}

void Win32CheckList::Clear() {
  ChangeScope scope(changing_);
  ListView_DeleteAllItems(list_);
  FitColumn();
}

}  // namespace tavorin
