// Looks at Tavorin's windows from another process, as the GUI tests' eyes:
// reads commands from stdin, one per line, and answers each with lines ending
// in "end". Everything is read through window messages; nothing is changed.
//
//   main               the main window: "window L T R B dpi visible enabled",
//                      "client X Y" (the client origin) and "topmost 0|1"
//   controls           every control of the main window: name, visible, screen
//                      rectangle and WM_GETTEXT text
//   items NAME         the rows of a list: "flag<TAB>text", flag = check mark or
//                      selection
//   rows NAME          screen rectangles of a list's rows
//   tabs               screen rectangles of the tab strip's tabs
//   find TITLE         visible top-level windows with exactly this title, with
//                      their child controls
//   layout             compares the main window with the control table and
//                      prints "mismatch ..." lines, then "checked N"
//   picker             the position picker's screen rectangle, or nothing
//   badge              the run's badge: "badge L T R B visible topmost foreground",
//                      or nothing before the program made it

#include <windows.h>
#include <commctrl.h>
#include <fcntl.h>
#include <io.h>

#include <iostream>
#include <map>
#include <string>
#include <vector>

#include "core/window/form1_control_table.h"
#include "win32/main_window.h"
#include "win32/wide_text.h"

namespace {

using tavorin::ControlKind;
using tavorin::ControlSpec;
using tavorin::TwipsToPixels;

std::string Utf8(const std::wstring& text) {
  const int length = static_cast<int>(text.size());
  std::string out(static_cast<std::size_t>(WideCharToMultiByte(CP_UTF8, 0, text.data(), length, nullptr, 0,
                                                               nullptr, nullptr)), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), length, out.data(), static_cast<int>(out.size()), nullptr, nullptr);
  return out;
}

// Line breaks and tabs would break the answer's lines.
std::string Flat(const std::wstring& text) {
  std::wstring flat;
  for (const wchar_t c : text) flat += c == L'\r' ? L"\\r" : c == L'\n' ? L"\\n" : c == L'\t' ? L"\\t" : std::wstring(1, c);
  return Utf8(flat);
}

// WM_GETTEXT, which also reads edit controls of another process.
std::wstring Text(HWND window) {
  std::wstring text(static_cast<std::size_t>(SendMessageW(window, WM_GETTEXTLENGTH, 0, 0)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(
      SendMessageW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()))));
  return text;
}

std::wstring ClassOf(HWND window) {
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  return name;
}

std::ostream& operator<<(std::ostream& out, const RECT& r) {
  return out << r.left << " " << r.top << " " << r.right << " " << r.bottom;
}

RECT ScreenRect(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  return r;
}

std::string ClientOrigin(HWND window) {
  POINT origin{0, 0};
  ClientToScreen(window, &origin);
  return "client " + std::to_string(origin.x) + " " + std::to_string(origin.y);
}

// A buffer in a window's process, for messages whose arguments are pointers
// the system does not carry across processes (list-view and tab messages):
// one for each process, kept while the probe runs.
struct Remote {
  HANDLE process = nullptr;
  char* at = nullptr;
  void Write(std::size_t offset, const void* data, std::size_t size) const {
    WriteProcessMemory(process, at + offset, data, size, nullptr);
  }
  void Read(std::size_t offset, void* data, std::size_t size) const {
    ReadProcessMemory(process, at + offset, data, size, nullptr);
  }
};

Remote RemoteOf(HWND window) {
  static std::map<DWORD, Remote> made;
  DWORD id = 0;
  GetWindowThreadProcessId(window, &id);
  Remote& remote = made[id];
  if (remote.at == nullptr) {
    if (remote.process == nullptr) {
      remote.process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, id);
    }
    remote.at = static_cast<char*>(VirtualAllocEx(remote.process, nullptr, 1 << 16, MEM_COMMIT, PAGE_READWRITE));
  }
  return remote;
}

HWND MainWindow() { return FindWindowW(tavorin::MainWindow::kWindowClass, nullptr); }

// The control of the table's row `index` (the main window's controls nest).
HWND ControlAt(std::size_t index) {
  HWND main = MainWindow();
  if (main == nullptr) return nullptr;
  std::pair<int, HWND> search{tavorin::MainWindow::kFirstControlId + static_cast<int>(index), nullptr};
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

HWND ControlNamed(const std::string& name) {
  const auto table = tavorin::Form1ControlTable();
  for (std::size_t i = 0; i < table.size(); ++i) {
    if (table[i].name == name) return ControlAt(i);
  }
  return nullptr;
}

void PrintMain() {
  HWND main = MainWindow();
  if (main == nullptr) return;
  std::cout << "window " << ScreenRect(main) << " " << GetDpiForWindow(main) << " " << (IsWindowVisible(main) ? 1 : 0)
            << " " << (IsWindowEnabled(main) ? 1 : 0) << "\n" << ClientOrigin(main) << "\ntopmost "
            << ((GetWindowLongW(main, GWL_EXSTYLE) & WS_EX_TOPMOST) ? 1 : 0) << "\n";
}

void PrintControls() {
  const auto table = tavorin::Form1ControlTable();
  for (std::size_t i = 0; i < table.size(); ++i) {
    if (HWND control = ControlAt(i)) {
      std::cout << table[i].name << "\t" << (IsWindowVisible(control) ? 1 : 0) << "\t" << ScreenRect(control) << "\t"
                << Flat(Text(control)) << "\n";
    }
  }
}

void PrintItems(HWND list) {
  if (list == nullptr) return;
  if (ClassOf(list) == WC_LISTBOXW) {
    const auto current = SendMessageW(list, LB_GETCURSEL, 0, 0);
    for (LRESULT i = 0; i < SendMessageW(list, LB_GETCOUNT, 0, 0); ++i) {
      std::wstring text(static_cast<std::size_t>(SendMessageW(list, LB_GETTEXTLEN, i, 0)) + 1, L'\0');
      text.resize(static_cast<std::size_t>(SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text.data()))));
      std::cout << (i == current ? 1 : 0) << "\t" << Flat(text) << "\n";
    }
    return;
  }
  constexpr std::size_t kTextAt = 256;
  constexpr int kCapacity = 8192;
  const Remote remote = RemoteOf(list);
  if (remote.at == nullptr) return;
  for (LRESULT i = 0; i < SendMessageW(list, LVM_GETITEMCOUNT, 0, 0); ++i) {
    LVITEMW item{};
    item.pszText = reinterpret_cast<LPWSTR>(remote.at + kTextAt);
    item.cchTextMax = kCapacity;
    remote.Write(0, &item, sizeof item);
    std::wstring text(static_cast<std::size_t>(
        SendMessageW(list, LVM_GETITEMTEXTW, i, reinterpret_cast<LPARAM>(remote.at))), L'\0');
    remote.Read(kTextAt, text.data(), text.size() * sizeof(wchar_t));
    const auto state = SendMessageW(list, LVM_GETITEMSTATE, i, LVIS_STATEIMAGEMASK);
    std::cout << (((state & LVIS_STATEIMAGEMASK) >> 12) == 2 ? 1 : 0) << "\t" << Flat(text) << "\n";
  }
  std::cout << "current " << SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED) << "\n";
}

// Screen rectangles of a list's rows or a tab strip's tabs, each asked for
// through a RECT in the control's process (a zero left asks a list-view for
// the whole row).
void PrintItemRects(HWND control, const char* label, UINT countMessage, UINT rectMessage) {
  if (control == nullptr) return;
  const Remote remote = RemoteOf(control);
  if (remote.at == nullptr) return;
  for (LRESULT i = 0; i < SendMessageW(control, countMessage, 0, 0); ++i) {
    RECT r{};
    remote.Write(0, &r, sizeof r);
    SendMessageW(control, rectMessage, i, reinterpret_cast<LPARAM>(remote.at));
    remote.Read(0, &r, sizeof r);
    MapWindowPoints(control, nullptr, reinterpret_cast<POINT*>(&r), 2);
    std::cout << label << " " << i << " " << r << "\n";
  }
}

void PrintRows(HWND list) {
  const bool plain = list != nullptr && ClassOf(list) == WC_LISTBOXW;
  PrintItemRects(list, "row", plain ? LB_GETCOUNT : LVM_GETITEMCOUNT, plain ? LB_GETITEMRECT : LVM_GETITEMRECT);
}

void PrintTabs() {
  HWND tabs = ControlNamed("TabStrip1");
  if (tabs == nullptr) return;
  std::cout << "selected " << SendMessageW(tabs, TCM_GETCURSEL, 0, 0) << "\n";
  PrintItemRects(tabs, "tab", TCM_GETITEMCOUNT, TCM_GETITEMRECT);
}

void PrintWindowsTitled(const std::string& title) {
  std::pair<std::wstring, std::vector<HWND>> search{tavorin::Utf8ToWide(title), {}};
  EnumWindows(
      [](HWND window, LPARAM data) -> BOOL {
        auto& s = *reinterpret_cast<decltype(search)*>(data);
        if (IsWindowVisible(window) && Text(window) == s.first) s.second.push_back(window);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  for (HWND window : search.second) {
    std::cout << "window " << ScreenRect(window) << " " << ClientOrigin(window) << "\n";
    EnumChildWindows(
        window,
        [](HWND child, LPARAM) -> BOOL {
          std::cout << "child\t" << Utf8(ClassOf(child)) << "\t" << GetDlgCtrlID(child) << "\t"
                    << (IsWindowVisible(child) ? 1 : 0) << "\t" << ScreenRect(child) << "\t" << Flat(Text(child)) << "\n";
          return TRUE;
        },
        0);
  }
}

// Where the table puts a control in the main window's client area: the sum
// of the lefts and tops up to the window, in pixels at `dpi`.
RECT DesignedRect(const ControlSpec& spec, int dpi) {
  int left = spec.rect.left;
  int top = spec.rect.top;
  for (auto* parent = tavorin::FindForm1Control(spec.parent); parent; parent = tavorin::FindForm1Control(parent->parent)) {
    left += parent->rect.left;
    top += parent->rect.top;
  }
  const int x = TwipsToPixels(left, dpi);
  const int y = TwipsToPixels(top, dpi);
  return {x, y, x + TwipsToPixels(spec.rect.width, dpi), y + TwipsToPixels(spec.rect.height, dpi)};
}

int CheckLayout() {
  HWND main = MainWindow();
  if (main == nullptr) {
    std::cout << "mismatch no main window\n";
    return 0;
  }
  const auto mismatch = [](const std::string& what) { std::cout << "mismatch " << what << "\n"; };
  const auto within1 = [](long a, long b) { return a - b <= 1 && b - a <= 1; };
  const int dpi = static_cast<int>(GetDpiForWindow(main));
  const RECT outer = ScreenRect(main);
  if (!within1(outer.right - outer.left, TwipsToPixels(tavorin::kForm1OuterWidth, dpi)) ||
      !within1(outer.bottom - outer.top, TwipsToPixels(tavorin::kForm1OuterHeight, dpi))) {
    mismatch("outer size " + std::to_string(outer.right - outer.left) + "x" + std::to_string(outer.bottom - outer.top));
  }
  if (Utf8(Text(main)) != tavorin::kForm1Caption) mismatch("caption " + Utf8(Text(main)));
  const LONG style = GetWindowLongW(main, GWL_STYLE);
  if ((style & WS_MAXIMIZEBOX) || (style & WS_THICKFRAME) || !(style & WS_MINIMIZEBOX)) mismatch("window style");
  int checked = 3;

  POINT origin{0, 0};
  ClientToScreen(main, &origin);
  const auto table = tavorin::Form1ControlTable();
  for (std::size_t i = 0; i < table.size(); ++i, ++checked) {
    const ControlSpec& spec = table[i];
    const std::string name(spec.name);
    HWND control = ControlAt(i);
    if (control == nullptr) {
      mismatch(name + " missing");
      continue;
    }
    RECT actual = ScreenRect(control);
    OffsetRect(&actual, -origin.x, -origin.y);
    const RECT designed = DesignedRect(spec, dpi);
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
    if (spec.name != "Label9" && Utf8(Text(control)) != spec.caption) mismatch(name + " text " + Utf8(Text(control)));
  }
  return checked;
}

void PrintPicker() {
  HWND picker = FindWindowW(L"TavorinPicker", nullptr);
  if (picker != nullptr && IsWindowVisible(picker)) std::cout << "picker " << ScreenRect(picker) << "\n";
}

void PrintBadge() {
  HWND badge = FindWindowW(L"TavorinRunBadge", nullptr);
  if (badge == nullptr) return;
  RECT r{};
  GetWindowRect(badge, &r);
  const bool topmost = (GetWindowLongW(badge, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
  std::cout << "badge " << r.left << " " << r.top << " " << r.right << " " << r.bottom << " "
            << (IsWindowVisible(badge) ? 1 : 0) << " " << (topmost ? 1 : 0) << " "
            << (GetForegroundWindow() == badge ? 1 : 0) << "\n";
}

}  // namespace

int wmain() {
  _setmode(_fileno(stdout), _O_BINARY);
  for (std::string line; std::getline(std::cin, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const std::size_t space = line.find(' ');
    const std::string command = line.substr(0, space);
    const std::string argument = space == std::string::npos ? "" : line.substr(space + 1);
    if (command == "main") PrintMain();
    else if (command == "controls") PrintControls();
    else if (command == "items") PrintItems(ControlNamed(argument));
    else if (command == "tabs") PrintTabs();
    else if (command == "rows") PrintRows(ControlNamed(argument));
    else if (command == "find") PrintWindowsTitled(argument);
    else if (command == "layout") std::cout << "checked " << CheckLayout() << "\n";
    else if (command == "picker") PrintPicker();
    else if (command == "badge") PrintBadge();
    else if (command == "exit") break;
    else std::cout << "unknown command " << command << "\n";
    std::cout << "end" << std::endl;
  }
  return 0;
}
