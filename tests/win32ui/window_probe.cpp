// Looks at Tavorin's windows from another process, as the GUI tests' eyes:
// reads commands from stdin, one per line, and answers each with lines ending
// in "end", in GB18030 (the list files' encoding, which carries every
// character). Everything is read through window messages; nothing is changed.
//
//   class NAME         the top-level window of that class: "window L T R B dpi
//                      visible enabled topmost foreground", or nothing
//   find TITLE         the same for the top-level window with exactly this
//                      title, once it shows, then a "child" line for each of
//                      its child controls
//   controls           every control of the main window: name, visible, screen
//                      rectangle and WM_GETTEXT text
//   items NAME         the rows of a list: "flag<TAB>text", flag = check mark
//                      (always 0 in a plain list)
//   rects NAME         screen rectangles of a check-box list's rows or of the
//                      tab strip's tabs
//   bars NAME          a list-view's scroll bars and widths: "h v column client",
//                      h and v 1 where the bar shows
//   layout             compares the main window with the control table and
//                      prints "mismatch ..." lines, then "checked N"

#include <windows.h>
#include <commctrl.h>
#include <fcntl.h>
#include <io.h>

#include <iostream>
#include <map>
#include <string>

#include "core/listfiles/gb18030_codec.h"
#include "core/window/form1_control_table.h"
#include "win32/main_window.h"
#include "win32/wide_text.h"

namespace {

using tavorin::ControlKind;
using tavorin::ControlSpec;
using tavorin::TwipsToPixels;

// Line breaks and tabs would break the answer's lines.
std::string Flat(std::wstring text) {
  for (std::size_t at = 0; (at = text.find_first_of(L"\r\n\t", at)) != std::wstring::npos; at += 2) {
    text.replace(at, 1, text[at] == L'\r' ? L"\\r" : text[at] == L'\n' ? L"\\n" : L"\\t");
  }
  return tavorin::EncodeGb18030(tavorin::FromWide(text));
}

// WM_GETTEXT, which also reads edit controls of another process.
std::wstring Text(HWND window) {
  std::wstring text(static_cast<std::size_t>(SendMessageW(window, WM_GETTEXTLENGTH, 0, 0)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(
      SendMessageW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()))));
  return text;
}

std::ostream& operator<<(std::ostream& out, const RECT& r) {
  return out << r.left << " " << r.top << " " << r.right << " " << r.bottom;
}

RECT ScreenRect(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  return r;
}

// A buffer in a window's process, for messages whose arguments are pointers
// the system does not carry across processes (list-view and tab messages):
// one for each process, kept while the probe runs.
struct Remote { HANDLE process = nullptr; char* at = nullptr; };

Remote RemoteOf(HWND window) {
  static std::map<DWORD, Remote> made;
  DWORD id = 0;
  GetWindowThreadProcessId(window, &id);
  Remote& remote = made[id];
  if (remote.at == nullptr) {
    remote.process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, id);
    remote.at = static_cast<char*>(VirtualAllocEx(remote.process, nullptr, 1 << 16, MEM_COMMIT, PAGE_READWRITE));
  }
  return remote;
}

// The control of a row of the table (the main window's controls nest).
HWND ControlOf(const ControlSpec* spec) {
  const HWND main = FindWindowW(tavorin::MainWindow::kWindowClass, nullptr);
  if (spec == nullptr || main == nullptr) return nullptr;
  const int id = tavorin::MainWindow::kFirstControlId + static_cast<int>(spec - tavorin::Form1ControlTable().data());
  std::pair<int, HWND> search{id, nullptr};
  EnumChildWindows(
      main,
      [](HWND child, LPARAM data) -> BOOL {
        auto& s = *reinterpret_cast<std::pair<int, HWND>*>(data);
        if (GetDlgCtrlID(child) == s.first) s.second = child;
        return s.second == nullptr;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.second;
}

// A top-level window; a dialog only once it shows, and with its child controls.
void PrintWindow(HWND window, bool dialog) {
  if (window == nullptr || (dialog && !IsWindowVisible(window))) return;
  std::cout << "window " << ScreenRect(window) << " " << GetDpiForWindow(window) << " "
            << (IsWindowVisible(window) ? 1 : 0) << " " << (IsWindowEnabled(window) ? 1 : 0) << " "
            << ((GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TOPMOST) ? 1 : 0) << " "
            << (GetForegroundWindow() == window ? 1 : 0) << "\n";
  if (!dialog) return;
  EnumChildWindows(
      window,
      [](HWND child, LPARAM) -> BOOL {
        wchar_t windowClass[64] = {};
        GetClassNameW(child, windowClass, 64);
        std::cout << "child\t" << Flat(windowClass) << "\t" << ScreenRect(child) << "\t" << Flat(Text(child)) << "\n";
        return TRUE;
      },
      0);
}

void PrintControls() {
  for (const ControlSpec& spec : tavorin::Form1ControlTable()) {
    if (HWND control = ControlOf(&spec)) {
      std::cout << spec.name << "\t" << (IsWindowVisible(control) ? 1 : 0) << "\t" << ScreenRect(control) << "\t"
                << Flat(Text(control)) << "\n";
    }
  }
}

void PrintItems(const ControlSpec* spec) {
  const HWND list = ControlOf(spec);
  if (list == nullptr) return;
  if (spec->kind == ControlKind::kListBox) {
    for (LRESULT i = 0; i < SendMessageW(list, LB_GETCOUNT, 0, 0); ++i) {
      std::wstring text(static_cast<std::size_t>(SendMessageW(list, LB_GETTEXTLEN, i, 0)) + 1, L'\0');
      text.resize(static_cast<std::size_t>(SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text.data()))));
      std::cout << "0\t" << Flat(text) << "\n";
    }
    return;
  }
  const Remote remote = RemoteOf(list);
  for (LRESULT i = 0; remote.at != nullptr && i < SendMessageW(list, LVM_GETITEMCOUNT, 0, 0); ++i) {
    LVITEMW item{};
    item.pszText = reinterpret_cast<LPWSTR>(remote.at + sizeof item);  // the text right after the item
    item.cchTextMax = 8192;
    WriteProcessMemory(remote.process, remote.at, &item, sizeof item, nullptr);
    std::wstring text(static_cast<std::size_t>(
        SendMessageW(list, LVM_GETITEMTEXTW, i, reinterpret_cast<LPARAM>(remote.at))), L'\0');
    ReadProcessMemory(remote.process, remote.at + sizeof(LVITEMW), text.data(), text.size() * sizeof(wchar_t), nullptr);
    const auto state = SendMessageW(list, LVM_GETITEMSTATE, i, LVIS_STATEIMAGEMASK);
    std::cout << (((state & LVIS_STATEIMAGEMASK) >> 12) == 2 ? 1 : 0) << "\t" << Flat(text) << "\n";
  }
}

// Each rectangle is asked for through a RECT in the control's process (a zero
// left asks a list-view for the whole row).
void PrintItemRects(const ControlSpec* spec) {
  const HWND control = ControlOf(spec);
  const Remote remote = control != nullptr ? RemoteOf(control) : Remote{};
  if (remote.at == nullptr) return;
  const bool tabs = spec->kind == ControlKind::kTabStrip;
  for (LRESULT i = 0; i < SendMessageW(control, tabs ? TCM_GETITEMCOUNT : LVM_GETITEMCOUNT, 0, 0); ++i) {
    RECT r{};
    WriteProcessMemory(remote.process, remote.at, &r, sizeof r, nullptr);
    SendMessageW(control, tabs ? TCM_GETITEMRECT : LVM_GETITEMRECT, i, reinterpret_cast<LPARAM>(remote.at));
    ReadProcessMemory(remote.process, remote.at, &r, sizeof r, nullptr);
    MapWindowPoints(control, nullptr, reinterpret_cast<POINT*>(&r), 2);
    std::cout << "rect " << r << "\n";
  }
}

void PrintBars(const ControlSpec* spec) {
  const HWND list = ControlOf(spec);
  RECT client{};
  if (list == nullptr || !GetClientRect(list, &client)) return;
  const LONG style = GetWindowLongW(list, GWL_STYLE);
  std::cout << ((style & WS_HSCROLL) ? 1 : 0) << " " << ((style & WS_VSCROLL) ? 1 : 0) << " "
            << SendMessageW(list, LVM_GETCOLUMNWIDTH, 0, 0) << " " << client.right << "\n";
}

int CheckLayout() {
  const HWND main = FindWindowW(tavorin::MainWindow::kWindowClass, nullptr);
  if (main == nullptr) return 0;
  const auto mismatch = [](const std::string& what) { std::cout << "mismatch " << what << "\n"; };
  const auto within1 = [](long a, long b) { return a - b <= 1 && b - a <= 1; };
  const int dpi = static_cast<int>(GetDpiForWindow(main));
  const RECT outer = ScreenRect(main);
  if (!within1(outer.right - outer.left, TwipsToPixels(tavorin::kForm1OuterWidth, dpi)) ||
      !within1(outer.bottom - outer.top, TwipsToPixels(tavorin::kForm1OuterHeight, dpi))) {
    mismatch("outer size " + std::to_string(outer.right - outer.left) + "x" + std::to_string(outer.bottom - outer.top));
  }
  if (Text(main) != tavorin::Utf8ToWide(tavorin::kForm1Caption)) mismatch("caption " + Flat(Text(main)));
  const LONG style = GetWindowLongW(main, GWL_STYLE);
  if ((style & WS_MAXIMIZEBOX) || (style & WS_THICKFRAME) || !(style & WS_MINIMIZEBOX)) mismatch("window style");

  POINT origin{0, 0};
  ClientToScreen(main, &origin);
  for (const ControlSpec& spec : tavorin::Form1ControlTable()) {
    // A missing control shows as one at 0 0 0 0, hidden and without text.
    const std::string name(spec.name);
    const HWND control = ControlOf(&spec);
    // Where the table puts it in its parent, in pixels at `dpi`.
    const ControlSpec* parent = tavorin::FindForm1Control(spec.parent);
    const RECT within = parent != nullptr ? ScreenRect(ControlOf(parent)) : RECT{origin.x, origin.y, 0, 0};
    RECT actual = ScreenRect(control);
    OffsetRect(&actual, -within.left, -within.top);
    const int x = TwipsToPixels(spec.rect.left, dpi);
    const int y = TwipsToPixels(spec.rect.top, dpi);
    const RECT designed{x, y, x + TwipsToPixels(spec.rect.width, dpi), y + TwipsToPixels(spec.rect.height, dpi)};
    const bool sizedByText = spec.kind == ControlKind::kLabel && (spec.rect.width == 0 || spec.name == "Label9");
    const bool heightBySystem = spec.kind == ControlKind::kDropDownList;
    if (!within1(actual.left, designed.left) || !within1(actual.top, designed.top) ||
        (sizedByText ? actual.right <= actual.left : !within1(actual.right, designed.right)) ||
        (!heightBySystem && !within1(actual.bottom, designed.bottom))) {
      std::cout << "mismatch " << name << " at " << actual << ", designed " << designed << "\n";
    }
    const bool shown = (GetWindowLongW(control, GWL_STYLE) & WS_VISIBLE) != 0;
    if (shown == spec.Has(tavorin::kHidden)) mismatch(name + (shown ? " shown" : " hidden"));
    // Timer1 rewrites the record status within 100 ms of the start.
    if (spec.name != "Label9" && Text(control) != tavorin::Utf8ToWide(spec.caption)) {
      mismatch(name + " text " + Flat(Text(control)));
    }
  }
  // The window's size, caption and style, and every control.
  return static_cast<int>(tavorin::Form1ControlTable().size()) + 3;
}

}  // namespace

int wmain() {
  _setmode(_fileno(stdout), _O_BINARY);
  for (std::string line; std::getline(std::cin, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const std::size_t space = line.find(' ');
    const std::string command = line.substr(0, space);
    const std::string argument = space == std::string::npos ? "" : line.substr(space + 1);
    if (command == "class") PrintWindow(FindWindowW(tavorin::Utf8ToWide(argument).c_str(), nullptr), false);
    else if (command == "controls") PrintControls();
    else if (command == "items") PrintItems(tavorin::FindForm1Control(argument));
    else if (command == "rects") PrintItemRects(tavorin::FindForm1Control(argument));
    else if (command == "find") PrintWindow(FindWindowW(nullptr, tavorin::Utf8ToWide(argument).c_str()), true);
    else if (command == "bars") PrintBars(tavorin::FindForm1Control(argument));
    else if (command == "layout") std::cout << "checked " << CheckLayout() << "\n";
    else std::cout << "unknown command " << command << "\n";
    std::cout << "end" << std::endl;
  }
  return 0;
}
