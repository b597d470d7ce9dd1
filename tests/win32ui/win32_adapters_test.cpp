// The Win32 adapters behind the list, text box and label interfaces, on real
// controls in a hidden window.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

#include "core/interfaces/memory_list_box.h"
#include "win32/win32_list_box.h"
#include "win32/win32_text_controls.h"

namespace {

using tavorin::ListBox;

// A hidden top-level window that records its controls' reports.
class Host {
 public:
  Host() {
    static bool registered = false;
    if (!registered) {
      WNDCLASSW windowClass{};
      windowClass.lpfnWndProc = &Host::Proc;
      windowClass.hInstance = GetModuleHandleW(nullptr);
      windowClass.lpszClassName = L"AdaptersTestHost";
      RegisterClassW(&windowClass);
      registered = true;
    }
    window_ = CreateWindowExW(0, L"AdaptersTestHost", L"host", WS_OVERLAPPEDWINDOW, 0, 0, 400, 400, nullptr,
                              nullptr, GetModuleHandleW(nullptr), nullptr);
    SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  }
  ~Host() { DestroyWindow(window_); }

  void Show() { ShowWindow(window_, SW_SHOWNOACTIVATE); }

  HWND Add(const wchar_t* windowClass, DWORD style) {
    return CreateWindowExW(0, windowClass, L"", WS_CHILD | WS_VISIBLE | style, 10, 10, 200, 150, window_,
                           nullptr, GetModuleHandleW(nullptr), nullptr);
  }

  std::function<void(UINT, WPARAM, LPARAM)> onReport;

 private:
  static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* host = reinterpret_cast<Host*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (host != nullptr && host->onReport && (message == WM_COMMAND || message == WM_NOTIFY)) {
      host->onReport(message, wParam, lParam);
    }
    return DefWindowProcW(window, message, wParam, lParam);
  }

  HWND window_;
};

HWND AddCheckList(Host& host) {
  return host.Add(WC_LISTVIEWW, LVS_REPORT | LVS_NOCOLUMNHEADER | LVS_SINGLESEL | LVS_SHOWSELALWAYS);
}

class ListContract : public testing::TestWithParam<int> {
 protected:
  ListBox& List() {
    switch (GetParam()) {
      case 0:
        check_ = std::make_unique<tavorin::Win32CheckList>(AddCheckList(host_));
        return *check_;
      case 1:
        plain_ = std::make_unique<tavorin::Win32PlainList>(host_.Add(WC_LISTBOXW, LBS_NOTIFY));
        return *plain_;
      default:
        return memory_;
    }
  }

  Host host_;
  std::unique_ptr<tavorin::Win32CheckList> check_;
  std::unique_ptr<tavorin::Win32PlainList> plain_;
  tavorin::MemoryListBox memory_;
};

// The in-memory list the unit tests use must behave as the real ones.
TEST_P(ListContract, CurrentItemFollowsRemovalsAndTheLimitHolds) {
  ListBox& list = List();
  for (auto text : {u"a", u"b", u"c", u"d"}) ASSERT_TRUE(list.AddItem(text));
  list.SetListIndex(2);
  list.SetSelected(0, false);  // unflagging another row leaves the current one
  EXPECT_EQ(list.ListIndex(), 2);
  list.RemoveItem(0);  // an earlier row: the current one moves up with its text
  EXPECT_EQ(list.ListIndex(), 1);
  EXPECT_EQ(list.List(1), u"c");
  list.RemoveItem(2);  // a later row leaves it alone
  EXPECT_EQ(list.ListIndex(), 1);
  list.RemoveItem(1);  // the current row itself: none is current afterwards
  EXPECT_EQ(list.ListIndex(), -1);
  EXPECT_EQ(list.ListCount(), 1);
  EXPECT_EQ(list.List(0), u"b");
  list.RemoveItem(5);  // no such row: nothing happens
  EXPECT_EQ(list.ListCount(), 1);

  list.SetListIndex(0);
  list.Clear();
  list.AddItem(u"e");
  EXPECT_EQ(list.ListIndex(), -1);
  EXPECT_FALSE(list.Selected(0));
  EXPECT_EQ(list.SelCount(), 0);

  // Long texts come back whole.
  const std::u16string longText(3000, u'长');
  list.SetList(0, longText);
  EXPECT_EQ(list.List(0), longText);

  list.Clear();
  for (int i = 0; i < ListBox::kMaxListItems; ++i) {
    if (!list.AddItem(u"x")) FAIL() << "refused below the limit at " << i;
  }
  EXPECT_FALSE(list.AddItem(u"one too many"));
  EXPECT_EQ(list.ListCount(), ListBox::kMaxListItems);
}

std::string ListName(const testing::TestParamInfo<int>& info) {
  return info.param == 0 ? "CheckBoxes" : info.param == 1 ? "Plain" : "Memory";
}

INSTANTIATE_TEST_SUITE_P(Lists, ListContract, testing::Values(0, 1, 2), ListName);

TEST(CheckList, CheckMarksStayWithTheirRowsAndApartFromTheCurrentRow) {
  Host host;
  tavorin::Win32CheckList list(AddCheckList(host));
  for (auto text : {u"a", u"b", u"c"}) list.AddItem(text);
  list.SetSelected(1, true);
  list.SetList(1, u"B");
  EXPECT_EQ(list.List(1), u"B");
  EXPECT_TRUE(list.Selected(1));
  list.SetListIndex(2);
  EXPECT_EQ(list.SelCount(), 1);
  EXPECT_FALSE(list.Selected(2));
  EXPECT_EQ(list.ListIndex(), 2);
  list.RemoveItem(0);
  EXPECT_TRUE(list.Selected(0));  // "B" moved up with its mark
  EXPECT_EQ(list.ListIndex(), 1);
}

// The record editor loads a record on the user's choice of row only: every
// change the program makes itself must come marked as its own.
TEST(CheckList, ChangesOfTheProgramAreMarkedAsItsOwn) {
  Host host;
  tavorin::Win32CheckList list(AddCheckList(host));
  int changes = 0;
  int unmarked = 0;
  host.onReport = [&](UINT message, WPARAM, LPARAM lParam) {
    if (message != WM_NOTIFY || reinterpret_cast<NMHDR*>(lParam)->code != LVN_ITEMCHANGED) return;
    ++changes;
    if (!list.Changing()) ++unmarked;
  };
  for (auto text : {u"a", u"b", u"c"}) list.AddItem(text);
  list.SetListIndex(1);
  list.SetSelected(2, true);
  list.SetList(0, u"A");
  list.RemoveItem(1);
  list.SetListIndex(-1);
  list.Clear();
  EXPECT_GT(changes, 0);
  EXPECT_EQ(unmarked, 0);
  EXPECT_FALSE(list.Changing());
}

TEST(TextBox, MultiLineTextKeepsCrLfAndReportsOneChange) {
  Host host;
  HWND edit = host.Add(WC_EDITW, ES_MULTILINE | ES_WANTRETURN | WS_VSCROLL);
  host.Show();
  tavorin::Win32TextBox box(edit);
  int changes = 0;
  host.onReport = [&](UINT message, WPARAM wParam, LPARAM) {
    if (message == WM_COMMAND && HIWORD(wParam) == EN_CHANGE) ++changes;
  };
  box.SetText(u"ab\r\ncd\r\n");
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(box.Text(), u"ab\r\ncd\r\n");
  EXPECT_EQ(SendMessageW(edit, EM_GETLINECOUNT, 0, 0), 3);
  box.Select(4, 2);  // "cd", counted in the CR LF text
  DWORD start = 0, end = 0;
  SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  EXPECT_EQ(start, 4u);
  EXPECT_EQ(end, 6u);
  box.SetText(u"李四 😀𠀀");
  EXPECT_EQ(box.Text(), u"李四 😀𠀀");
  EXPECT_EQ(changes, 2);
  box.SetEnabled(false);
  EXPECT_FALSE(box.Enabled());
  EXPECT_FALSE(box.SetFocus());
  box.SetEnabled(true);
  EXPECT_TRUE(box.SetFocus());
}

TEST(Label, SizedToItsTextFollowsTheCaption) {
  Host host;
  HWND label = host.Add(WC_STATICW, SS_LEFTNOWORDWRAP);
  tavorin::Win32Label sized(label, true);
  sized.SetCaption(u"1/1");
  RECT shortText{};
  GetWindowRect(label, &shortText);
  sized.SetCaption(u"列表中无项目列表中无项目");
  RECT longText{};
  GetWindowRect(label, &longText);
  EXPECT_EQ(sized.Caption(), u"列表中无项目列表中无项目");
  EXPECT_GT(longText.right - longText.left, shortText.right - shortText.left);
  EXPECT_EQ(longText.right - longText.left, tavorin::TextWidth(label));
}

}  // namespace
