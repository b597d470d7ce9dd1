// Looks at Tavorin's windows from another process, as the GUI tests' eyes:
// reads commands from stdin, one per line, and answers each with lines ending
// in "end". Everything is read through window messages; nothing is changed.
//
//   main               the main window: "window L T R B dpi" and the client origin
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

#include <cstdio>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "core/window/form1_control_table.h"
#include "win32/main_window.h"

namespace {

using tavorin::ControlKind;
using tavorin::ControlSpec;

std::string Utf8(const std::wstring& text) {
  if (text.empty()) return {};
  const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                       nullptr, nullptr);
  std::string out(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), size, nullptr,
                      nullptr);
  return out;
}

std::wstring Wide(const std::string& text) {
  if (text.empty()) return {};
  const int size = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring out(static_cast<std::size_t>(size), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), size);
  return out;
}

// Line breaks and tabs would break the answer's lines.
std::string Flat(const std::wstring& text) {
  std::wstring flat;
  for (wchar_t c : text) {
    if (c == L'\r') flat += L"\\r";
    else if (c == L'\n') flat += L"\\n";
    else if (c == L'\t') flat += L"\\t";
    else flat += c;
  }
  return Utf8(flat);
}

std::wstring Text(HWND window) {
  const auto length = SendMessageW(window, WM_GETTEXTLENGTH, 0, 0);
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  const auto got = SendMessageW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<std::size_t>(got));
  return text;
}

std::wstring ClassOf(HWND window) {
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  return name;
}

std::string RectText(const RECT& r) {
  return std::to_string(r.left) + " " + std::to_string(r.top) + " " + std::to_string(r.right) + " " +
         std::to_string(r.bottom);
}

// Memory in the other process, for messages whose arguments are pointers
// the system does not carry across processes (list-view and tab messages).
class RemoteBuffer {
 public:
  RemoteBuffer(HWND window, std::size_t size) : size_(size) {
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    process_ = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId);
    if (process_ != nullptr) address_ = VirtualAllocEx(process_, nullptr, size, MEM_COMMIT, PAGE_READWRITE);
  }
  ~RemoteBuffer() {
    if (address_ != nullptr) VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
    if (process_ != nullptr) CloseHandle(process_);
  }
  RemoteBuffer(const RemoteBuffer&) = delete;
  RemoteBuffer& operator=(const RemoteBuffer&) = delete;

  bool Ok() const { return address_ != nullptr; }
  char* At(std::size_t offset) const { return static_cast<char*>(address_) + offset; }
  void Write(std::size_t offset, const void* data, std::size_t size) const {
    WriteProcessMemory(process_, At(offset), data, size, nullptr);
  }
  void Read(std::size_t offset, void* data, std::size_t size) const {
    ReadProcessMemory(process_, At(offset), data, size, nullptr);
  }

 private:
  HANDLE process_ = nullptr;
  void* address_ = nullptr;
  std::size_t size_;
};

HWND MainWindow() { return FindWindowW(tavorin::MainWindow::kWindowClass, nullptr); }

HWND ControlOf(HWND main, int index) {
  struct Search {
    int id;
    HWND found;
  } search{tavorin::MainWindow::kFirstControlId + index, nullptr};
  EnumChildWindows(
      main,
      [](HWND child, LPARAM data) -> BOOL {
        auto& s = *reinterpret_cast<Search*>(data);
        if (GetDlgCtrlID(child) != s.id) return TRUE;
        s.found = child;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::optional<int> IndexOf(const std::string& name) {
  const auto table = tavorin::Form1ControlTable();
  for (std::size_t i = 0; i < table.size(); ++i) {
    if (table[i].name == name) return static_cast<int>(i);
  }
  return std::nullopt;
}

int DpiOfWindow(HWND window) {
  using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
  const auto get = reinterpret_cast<GetDpiForWindowFn>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
  const UINT dpi = get != nullptr ? get(window) : 0;
  return dpi != 0 ? static_cast<int>(dpi) : 96;
}

POINT ClientOrigin(HWND window) {
  POINT origin{0, 0};
  ClientToScreen(window, &origin);
  return origin;
}

void PrintMain() {
  HWND main = MainWindow();
  if (main == nullptr) return;
  RECT outer{};
  GetWindowRect(main, &outer);
  const POINT origin = ClientOrigin(main);
  std::cout << "window " << RectText(outer) << " " << DpiOfWindow(main) << " "
            << (IsWindowVisible(main) ? 1 : 0) << " " << (IsWindowEnabled(main) ? 1 : 0) << "\n";
  std::cout << "client " << origin.x << " " << origin.y << "\n";
  const bool topmost = (GetWindowLongW(main, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
  std::cout << "topmost " << (topmost ? 1 : 0) << "\n";
}

void PrintControls() {
  HWND main = MainWindow();
  if (main == nullptr) return;
  const auto table = tavorin::Form1ControlTable();
  for (std::size_t i = 0; i < table.size(); ++i) {
    HWND control = ControlOf(main, static_cast<int>(i));
    if (control == nullptr) continue;
    RECT r{};
    GetWindowRect(control, &r);
    std::cout << table[i].name << "\t" << (IsWindowVisible(control) ? 1 : 0) << "\t" << RectText(r) << "\t"
              << Flat(Text(control)) << "\n";
  }
}

void PrintItems(const std::string& name) {
  HWND main = MainWindow();
  const auto index = IndexOf(name);
  if (main == nullptr || !index) return;
  HWND list = ControlOf(main, *index);
  if (list == nullptr) return;
  if (ClassOf(list) == WC_LISTBOXW) {
    const auto count = SendMessageW(list, LB_GETCOUNT, 0, 0);
    const auto current = SendMessageW(list, LB_GETCURSEL, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
      std::wstring text(static_cast<std::size_t>(SendMessageW(list, LB_GETTEXTLEN, i, 0)) + 1, L'\0');
      text.resize(static_cast<std::size_t>(SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text.data()))));
      std::cout << (i == current ? 1 : 0) << "\t" << Flat(text) << "\n";
    }
    return;
  }
  constexpr std::size_t kTextOffset = 256;
  constexpr int kTextCapacity = 8192;
  RemoteBuffer remote(list, kTextOffset + kTextCapacity * sizeof(wchar_t));
  if (!remote.Ok()) return;
  const auto count = SendMessageW(list, LVM_GETITEMCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    LVITEMW item{};
    item.iSubItem = 0;
    item.pszText = reinterpret_cast<LPWSTR>(remote.At(kTextOffset));
    item.cchTextMax = kTextCapacity;
    remote.Write(0, &item, sizeof item);
    const auto length = SendMessageW(list, LVM_GETITEMTEXTW, i, reinterpret_cast<LPARAM>(remote.At(0)));
    std::wstring text(static_cast<std::size_t>(length), L'\0');
    remote.Read(kTextOffset, text.data(), text.size() * sizeof(wchar_t));
    const auto state = SendMessageW(list, LVM_GETITEMSTATE, i, LVIS_STATEIMAGEMASK);
    std::cout << (((state & LVIS_STATEIMAGEMASK) >> 12) == 2 ? 1 : 0) << "\t" << Flat(text) << "\n";
  }
  std::cout << "current " << SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED) << "\n";
}

void PrintRows(const std::string& name) {
  HWND main = MainWindow();
  const auto index = IndexOf(name);
  HWND list = main != nullptr && index ? ControlOf(main, *index) : nullptr;
  RemoteBuffer remote(list, sizeof(RECT));
  if (list == nullptr || !remote.Ok()) return;
  const bool plain = ClassOf(list) == WC_LISTBOXW;
  const auto count = SendMessageW(list, plain ? LB_GETCOUNT : LVM_GETITEMCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    RECT r{LVIR_BOUNDS, 0, 0, 0};
    remote.Write(0, &r, sizeof r);
    SendMessageW(list, plain ? LB_GETITEMRECT : LVM_GETITEMRECT, i, reinterpret_cast<LPARAM>(remote.At(0)));
    remote.Read(0, &r, sizeof r);
    MapWindowPoints(list, nullptr, reinterpret_cast<POINT*>(&r), 2);
    std::cout << "row " << i << " " << RectText(r) << "\n";
  }
}

void PrintTabs() {
  HWND main = MainWindow();
  const auto index = IndexOf("TabStrip1");
  if (main == nullptr || !index) return;
  HWND tabs = ControlOf(main, *index);
  RemoteBuffer remote(tabs, sizeof(RECT));
  if (tabs == nullptr || !remote.Ok()) return;
  const auto count = SendMessageW(tabs, TCM_GETITEMCOUNT, 0, 0);
  std::cout << "selected " << SendMessageW(tabs, TCM_GETCURSEL, 0, 0) << "\n";
  for (LRESULT i = 0; i < count; ++i) {
    RECT r{};
    SendMessageW(tabs, TCM_GETITEMRECT, i, reinterpret_cast<LPARAM>(remote.At(0)));
    remote.Read(0, &r, sizeof r);
    MapWindowPoints(tabs, nullptr, reinterpret_cast<POINT*>(&r), 2);
    std::cout << "tab " << i << " " << RectText(r) << "\n";
  }
}

void PrintWindowsTitled(const std::string& title) {
  const std::wstring wanted = Wide(title);
  struct Search {
    std::wstring title;
    std::vector<HWND> found;
  } search{wanted, {}};
  EnumWindows(
      [](HWND window, LPARAM data) -> BOOL {
        auto& s = *reinterpret_cast<Search*>(data);
        if (IsWindowVisible(window) && Text(window) == s.title) s.found.push_back(window);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  for (HWND window : search.found) {
    RECT r{};
    GetWindowRect(window, &r);
    const POINT origin = ClientOrigin(window);
    std::cout << "window " << RectText(r) << " client " << origin.x << " " << origin.y << "\n";
    EnumChildWindows(
        window,
        [](HWND child, LPARAM) -> BOOL {
          RECT c{};
          GetWindowRect(child, &c);
          std::cout << "child\t" << Utf8(ClassOf(child)) << "\t" << GetDlgCtrlID(child) << "\t"
                    << (IsWindowVisible(child) ? 1 : 0) << "\t" << RectText(c) << "\t" << Flat(Text(child))
                    << "\n";
          return TRUE;
        },
        0);
  }
}

// Position of a control relative to the main window's client area, as the
// table designs it: the sum of the lefts and tops up to the window.
RECT DesignedRect(const ControlSpec& spec, int dpi) {
  int left = spec.rect.left;
  int top = spec.rect.top;
  for (const ControlSpec* parent = tavorin::FindForm1Control(spec.parent); parent != nullptr;
       parent = tavorin::FindForm1Control(parent->parent)) {
    left += parent->rect.left;
    top += parent->rect.top;
  }
  const int x = tavorin::TwipsToPixels(left, dpi);
  const int y = tavorin::TwipsToPixels(top, dpi);
  return {x, y, x + tavorin::TwipsToPixels(spec.rect.width, dpi), y + tavorin::TwipsToPixels(spec.rect.height, dpi)};
}

int CheckLayout() {
  HWND main = MainWindow();
  if (main == nullptr) {
    std::cout << "mismatch no main window\n";
    return 0;
  }
  int checked = 0;
  const auto mismatch = [](const std::string& what) { std::cout << "mismatch " << what << "\n"; };
  const auto within1 = [](long a, long b) { return a - b <= 1 && b - a <= 1; };
  const int dpi = DpiOfWindow(main);
  RECT outer{};
  GetWindowRect(main, &outer);
  ++checked;
  if (!within1(outer.right - outer.left, tavorin::TwipsToPixels(tavorin::kForm1OuterWidth, dpi)) ||
      !within1(outer.bottom - outer.top, tavorin::TwipsToPixels(tavorin::kForm1OuterHeight, dpi))) {
    mismatch("outer size " + std::to_string(outer.right - outer.left) + "x" + std::to_string(outer.bottom - outer.top));
  }
  ++checked;
  if (Utf8(Text(main)) != tavorin::kForm1Caption) mismatch("caption " + Utf8(Text(main)));
  const LONG style = GetWindowLongW(main, GWL_STYLE);
  ++checked;
  if ((style & WS_MAXIMIZEBOX) || (style & WS_THICKFRAME) || !(style & WS_MINIMIZEBOX)) mismatch("window style");

  const POINT origin = ClientOrigin(main);
  const auto table = tavorin::Form1ControlTable();
  for (std::size_t i = 0; i < table.size(); ++i) {
    const ControlSpec& spec = table[i];
    const std::string name(spec.name);
    HWND control = ControlOf(main, static_cast<int>(i));
    ++checked;
    if (control == nullptr) {
      mismatch(name + " missing");
      continue;
    }
    RECT actual{};
    GetWindowRect(control, &actual);
    OffsetRect(&actual, -origin.x, -origin.y);
    const RECT designed = DesignedRect(spec, dpi);
    const bool sizedByText = spec.kind == ControlKind::kLabel && (spec.rect.width == 0 || spec.name == "Label9");
    const bool heightBySystem = spec.kind == ControlKind::kDropDownList;
    if (!within1(actual.left, designed.left) || !within1(actual.top, designed.top) ||
        (!sizedByText && !within1(actual.right, designed.right)) ||
        (!heightBySystem && !within1(actual.bottom, designed.bottom)) ||
        (sizedByText && actual.right <= actual.left)) {
      mismatch(name + " at " + RectText(actual) + ", designed " + RectText(designed));
    }
    const bool shown = (GetWindowLongW(control, GWL_STYLE) & WS_VISIBLE) != 0;
    if (shown == spec.Has(tavorin::kHidden)) mismatch(name + (shown ? " shown" : " hidden"));
    // Timer1 rewrites the record status within 100 ms of the start.
    const bool rewritten = spec.name == "Label9";
    const bool captioned = !rewritten && (spec.kind == ControlKind::kFrame || spec.kind == ControlKind::kButton ||
                           spec.kind == ControlKind::kLabel || spec.kind == ControlKind::kOptionButton ||
                           spec.kind == ControlKind::kTextBox);
    if (captioned && Utf8(Text(control)) != spec.caption) {
      mismatch(name + " text " + Utf8(Text(control)));
    }
  }
  return checked;
}

void PrintPicker() {
  HWND picker = FindWindowW(L"TavorinPicker", nullptr);
  if (picker == nullptr || !IsWindowVisible(picker)) return;
  RECT r{};
  GetWindowRect(picker, &r);
  std::cout << "picker " << RectText(r) << "\n";
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
  std::string line;
  while (std::getline(std::cin, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const std::size_t space = line.find(' ');
    const std::string command = line.substr(0, space);
    const std::string argument = space == std::string::npos ? "" : line.substr(space + 1);
    if (command == "main") PrintMain();
    else if (command == "controls") PrintControls();
    else if (command == "items") PrintItems(argument);
    else if (command == "tabs") PrintTabs();
    else if (command == "rows") PrintRows(argument);
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
