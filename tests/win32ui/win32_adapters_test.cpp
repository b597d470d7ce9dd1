// The Win32 adapters behind the list and text box interfaces, on real
// controls in a hidden window.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <functional>
#include <optional>

#include "win32/win32_list_box.h"
#include "win32/win32_text_controls.h"

namespace {

using tavorin::ListBox;

// A hidden top-level window; its controls' reports go to onReport.
struct Host {
  static LRESULT CALLBACK Report(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR host) {
    if (message == WM_COMMAND || message == WM_NOTIFY) reinterpret_cast<Host*>(host)->onReport(message, wParam, lParam);
    return DefSubclassProc(window, message, wParam, lParam);
  }
  Host() { SetWindowSubclass(handle, Report, 1, reinterpret_cast<DWORD_PTR>(this)); }
  ~Host() { DestroyWindow(handle); }
  HWND Add(const wchar_t* windowClass, DWORD style) const {
    return CreateWindowExW(0, windowClass, L"", WS_CHILD | WS_VISIBLE | style, 10, 10, 200, 150, handle, nullptr,
                           nullptr, nullptr);
  }

  HWND handle = CreateWindowExW(0, WC_STATICW, L"", WS_OVERLAPPEDWINDOW, 0, 0, 400, 400, nullptr, nullptr, nullptr,
                                nullptr);
  std::function<void(UINT, WPARAM, LPARAM)> onReport = [](UINT, WPARAM, LPARAM) {};
};

// The unit tests run on the in-memory list; the real controls must follow
// the same rules (the Qt lists are driven through them by the main window
// test). A flag is a check mark in the check-box list, the current row in the
// plain one.
class ListContract : public testing::TestWithParam<bool> {};

TEST_P(ListContract, CurrentRowAndFlagsFollowChangesAndTheLimitHolds) {
  const bool checkBoxes = GetParam();
  Host host;
  std::optional<tavorin::Win32CheckList> checkList;
  std::optional<tavorin::Win32PlainList> plainList;
  ListBox& list = checkBoxes ? static_cast<ListBox&>(checkList.emplace(host.Add(
                                   WC_LISTVIEWW, LVS_REPORT | LVS_NOCOLUMNHEADER | LVS_SINGLESEL | LVS_SHOWSELALWAYS)))
                             : plainList.emplace(host.Add(WC_LISTBOXW, LBS_NOTIFY));
  // The record editor loads a record on the user's choice of row only: every
  // change the program makes itself must come marked as its own.
  int changes = 0, unmarked = 0;
  host.onReport = [&](UINT message, WPARAM, LPARAM lParam) {
    if (message != WM_NOTIFY || reinterpret_cast<NMHDR*>(lParam)->code != LVN_ITEMCHANGED) return;
    ++changes;
    unmarked += !checkList->Changing();
  };
  for (auto text : {u"a", u"b", u"c", u"d"}) ASSERT_TRUE(list.AddItem(text));
  list.SetSelected(1, true);
  list.SetList(1, u"B");  // a flag stays with its row through a new text
  EXPECT_TRUE(list.Selected(1));
  list.SetListIndex(2);  // check marks stay apart from the current row
  EXPECT_EQ(list.Selected(1), checkBoxes);
  EXPECT_EQ(list.Selected(2), !checkBoxes);
  list.SetSelected(0, false);  // unflagging another row leaves the current one
  EXPECT_EQ(list.ListIndex(), 2);
  list.RemoveItem(0);  // an earlier row: the current one and the marks move up with their texts
  EXPECT_EQ(list.ListIndex(), 1);
  EXPECT_EQ(list.List(1), u"c");
  EXPECT_EQ(list.Selected(0), checkBoxes);
  list.RemoveItem(2);  // a later row leaves it alone
  EXPECT_EQ(list.ListIndex(), 1);
  list.RemoveItem(5);  // no such row: nothing happens
  list.RemoveItem(1);  // the current row itself: none is current afterwards
  EXPECT_EQ(list.ListIndex(), -1);
  EXPECT_EQ(list.ListCount(), 1);
  EXPECT_EQ(list.List(0), u"B");
  EXPECT_EQ(changes > 0, checkBoxes);
  EXPECT_EQ(unmarked, 0);
  EXPECT_FALSE(checkList && checkList->Changing());

  // Long texts come back whole.
  const std::u16string longText(3000, u'长');
  list.SetList(0, longText);
  EXPECT_EQ(list.List(0), longText);

  // A cleared list has no current or flagged row, and holds rows up to the limit.
  list.SetListIndex(0);
  EXPECT_EQ(list.SelCount(), 1);
  list.Clear();
  for (int i = 0; i < ListBox::kMaxListItems; ++i) ASSERT_TRUE(list.AddItem(u"x")) << "refused below the limit at " << i;
  EXPECT_FALSE(list.AddItem(u"one too many"));
  EXPECT_EQ(list.ListCount(), ListBox::kMaxListItems);
  EXPECT_EQ(list.ListIndex(), -1);
  EXPECT_EQ(list.SelCount(), 0);
}

INSTANTIATE_TEST_SUITE_P(Lists, ListContract, testing::Bool(),
                         [](const auto& info) { return info.param ? "CheckBoxes" : "Plain"; });

TEST(TextBox, MultiLineTextKeepsCrLfAndReportsOneChange) {
  Host host;
  HWND edit = host.Add(WC_EDITW, ES_MULTILINE | ES_WANTRETURN | WS_VSCROLL);
  ShowWindow(host.handle, SW_SHOWNOACTIVATE);
  tavorin::Win32TextBox box(edit);
  int changes = 0;
  host.onReport = [&](UINT message, WPARAM wParam, LPARAM) {
    changes += message == WM_COMMAND && HIWORD(wParam) == EN_CHANGE;
  };
  box.SetText(u"ab\r\ncd\r\n");
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(box.Text(), u"ab\r\ncd\r\n");
  EXPECT_EQ(SendMessageW(edit, EM_GETLINECOUNT, 0, 0), 3);
  box.SetText(u"李四 😀𠀀");
  EXPECT_EQ(box.Text(), u"李四 😀𠀀");
  EXPECT_EQ(changes, 2);
  box.SetEnabled(false);
  EXPECT_FALSE(box.SetFocus());  // a disabled box cannot take the focus
  box.SetEnabled(true);
  EXPECT_TRUE(box.SetFocus());
}

}  // namespace
