#include "win32/main_window.h"

#include <commctrl.h>

#include <algorithm>
#include <stdexcept>

#include "win32/win32_text_controls.h"
#include "win32/wide_text.h"

namespace tavorin {
namespace {

constexpr const wchar_t* kFormClass = MainWindow::kWindowClass;
constexpr wchar_t kPageClass[] = L"TavorinPage";
// Height of a drop-down list's open list, in twips.
constexpr int kDropDownListTwips = 1500;

using Kind = ControlKind;

void RegisterClasses(HINSTANCE instance) {
  static bool registered = false;
  if (registered) return;
  WNDCLASSEXW form{};
  form.cbSize = sizeof form;
  form.lpfnWndProc = DefWindowProcW;
  form.hInstance = instance;
  form.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(1));
  form.hIconSm = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(1), IMAGE_ICON,
                                               GetSystemMetrics(SM_CXSMICON),
                                               GetSystemMetrics(SM_CYSMICON), 0));
  form.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  form.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
  form.lpszClassName = kFormClass;
  RegisterClassExW(&form);

  WNDCLASSEXW page = form;
  page.hIcon = nullptr;
  page.hIconSm = nullptr;
  page.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  page.lpszClassName = kPageClass;
  RegisterClassExW(&page);
  registered = true;
}

struct ClassAndStyle {
  const wchar_t* windowClass;
  DWORD style;
  DWORD exStyle;
};

ClassAndStyle StyleOf(const ControlSpec& spec) {
  constexpr DWORD child = WS_CHILD | WS_CLIPSIBLINGS;
  switch (spec.kind) {
    case Kind::kTabStrip: return {WC_TABCONTROLW, child | WS_TABSTOP, 0};
    // Without WS_CLIPCHILDREN: a frame paints only its border, the page the
    // white inside it.
    case Kind::kPage: return {kPageClass, child, WS_EX_CONTROLPARENT};
    case Kind::kFrame: return {WC_BUTTONW, child | BS_GROUPBOX, 0};
    case Kind::kButton: return {WC_BUTTONW, child | WS_TABSTOP | BS_PUSHBUTTON, 0};
    case Kind::kLabel:
      return {WC_STATICW, child | SS_NOPREFIX | (spec.Has(kWordWrap) ? SS_LEFT : SS_LEFTNOWORDWRAP), 0};
    case Kind::kTextBox: return {WC_EDITW, child | WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE};
    case Kind::kRecordEditor:
      return {WC_EDITW, child | WS_TABSTOP | WS_VSCROLL | ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL,
              WS_EX_CLIENTEDGE};
    case Kind::kCheckListBox:
      return {WC_LISTVIEWW,
              child | WS_TABSTOP | LVS_REPORT | LVS_NOCOLUMNHEADER | LVS_SINGLESEL | LVS_SHOWSELALWAYS,
              WS_EX_CLIENTEDGE};
    case Kind::kListBox:
      return {WC_LISTBOXW, child | WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT,
              WS_EX_CLIENTEDGE};
    case Kind::kOptionButton: return {WC_BUTTONW, child | WS_TABSTOP | BS_AUTORADIOBUTTON, 0};
    case Kind::kDropDownList:
      return {WC_COMBOBOXW, child | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, 0};
  }
  throw std::logic_error("unknown control kind");
}

bool IsEdit(HWND control) {
  wchar_t name[16] = {};
  GetClassNameW(control, name, 16);
  return lstrcmpiW(name, WC_EDITW) == 0;
}

}  // namespace

MainWindow::MainWindow() {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  RegisterClasses(instance);
  white_ = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  // Fixed single border with a minimise box and no maximise box.
  window_ = CreateWindowExW(0, kFormClass, L"Tavorin",
                            WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN,
                            CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr,
                            nullptr, instance, nullptr);
  if (window_ == nullptr) throw std::runtime_error("CreateWindowExW failed for Form1");
  SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  SetWindowLongPtrW(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&FormProc));
  scale_ = DpiOf(window_);
  Build();
  ApplyScale();
}

MainWindow::~MainWindow() {
  if (IsWindow(window_)) {
    SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
    DestroyWindow(window_);
  }
  for (const auto& [points, font] : fonts_) DeleteObject(font);
}

HWND MainWindow::Control(const std::string& name) const {
  const auto found = byName_.find(name);
  if (found == byName_.end()) throw std::logic_error("Form1 has no control " + name);
  return found->second;
}

void MainWindow::OnCommand(const std::string& name, WORD code, std::function<void()> handler) {
  Control(name);
  commands_[{name, code}] = std::move(handler);
}

void MainWindow::OnNotify(const std::string& name, std::function<LRESULT(NMHDR&)> handler) {
  Control(name);
  notifies_[name] = std::move(handler);
}

void MainWindow::OnMessage(UINT message, std::function<void(WPARAM, LPARAM)> handler) {
  messages_[message] = std::move(handler);
}

void MainWindow::Build() {
  int pageIndex = 0;
  int id = kFirstControlId;
  for (const ControlSpec& spec : Form1ControlTable()) {
    Placed placed{&spec, nullptr, spec.rect.left, spec.rect.top};
    HWND parent = window_;
    if (spec.parent != kForm1Name) {
      const auto container = std::find_if(controls_.begin(), controls_.end(),
                                          [&](const Placed& p) { return p.spec->name == spec.parent; });
      if (container == controls_.end()) throw std::logic_error("no parent for " + std::string(spec.name));
      if (container->spec->kind == Kind::kPage) {
        parent = container->hwnd;
      } else {
        parent = GetParent(container->hwnd);
        placed.left += container->left;
        placed.top += container->top;
      }
    }
    placed.hwnd = Create(spec, parent, id++);
    if (spec.kind == Kind::kPage && pageIndex < kPageCount) pages_[pageIndex++] = placed.hwnd;
    controls_.push_back(placed);
    byName_[std::string(spec.name)] = placed.hwnd;
  }
  if (pageIndex != kPageCount) throw std::logic_error("Form1 needs four pages");
  // Later controls lie over earlier ones (the pages over the tab strip's
  // body, the option buttons over the label they continue), and frames
  // behind the controls they surround.
  constexpr UINT keep = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE;
  for (const Placed& placed : controls_) SetWindowPos(placed.hwnd, HWND_TOP, 0, 0, 0, 0, keep);
  for (const Placed& placed : controls_) {
    if (placed.spec->kind == Kind::kFrame) SetWindowPos(placed.hwnd, HWND_BOTTOM, 0, 0, 0, 0, keep);
  }
}

HWND MainWindow::Create(const ControlSpec& spec, HWND parent, int id) {
  const ClassAndStyle kind = StyleOf(spec);
  DWORD style = kind.style | (spec.Has(kHidden) ? 0 : WS_VISIBLE);
  DWORD exStyle = kind.exStyle | (spec.Has(kAcceptsFiles) ? WS_EX_ACCEPTFILES : 0);
  // The first option button of a group starts it.
  if (spec.kind == Kind::kOptionButton &&
      (controls_.empty() || controls_.back().spec->kind != Kind::kOptionButton)) {
    style |= WS_GROUP;
  }
  HWND control = CreateWindowExW(exStyle, kind.windowClass, Utf8ToWide(spec.caption).c_str(), style,
                                 0, 0, 0, 0, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                 GetModuleHandleW(nullptr), nullptr);
  if (control == nullptr) throw std::runtime_error("cannot create control " + std::string(spec.name));
  switch (spec.kind) {
    case Kind::kPage:
      SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&PageProc));
      break;
    case Kind::kTabStrip:
      for (int tab = 0; tab < kForm1PageCount; ++tab) {
        std::wstring caption = Utf8ToWide(kTabCaptions[tab]);
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = caption.data();
        SendMessageW(control, TCM_INSERTITEMW, tab, reinterpret_cast<LPARAM>(&item));
      }
      break;
    case Kind::kDropDownList:
      for (std::string_view entry : spec.items) {
        SendMessageW(control, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Utf8ToWide(entry).c_str()));
      }
      SendMessageW(control, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
      break;
    case Kind::kOptionButton:
      if (spec.Has(kChosen)) SendMessageW(control, BM_SETCHECK, BST_CHECKED, 0);
      break;
    default:
      break;
  }
  return control;
}

void MainWindow::ApplyScale() {
  std::map<double, HFONT> old;
  old.swap(fonts_);
  for (const Placed& placed : controls_) {
    const ControlSpec& spec = *placed.spec;
    HFONT& font = fonts_[spec.fontPoints];
    if (font == nullptr) font = CreateUiFont(scale_, spec.fontPoints);
    SendMessageW(placed.hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    int width = scale_.Px(spec.rect.width);
    int height = scale_.Px(spec.rect.height);
    if (spec.kind == Kind::kLabel && spec.rect.width == 0) width = TextWidth(placed.hwnd);
    // A drop-down list's height is that of its open list; the closed box
    // takes the font's height.
    if (spec.kind == Kind::kDropDownList) height = scale_.Px(kDropDownListTwips);
    SetWindowPos(placed.hwnd, nullptr, scale_.Px(placed.left), scale_.Px(placed.top), width, height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  }
  SetWindowPos(window_, nullptr, 0, 0, scale_.Px(kForm1OuterWidth), scale_.Px(kForm1OuterHeight),
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  InvalidateRect(window_, nullptr, TRUE);
  for (const auto& [points, font] : old) DeleteObject(font);
}

std::string MainWindow::NameOf(HWND control) const {
  for (const Placed& placed : controls_) {
    if (placed.hwnd == control) return std::string(placed.spec->name);
  }
  return {};
}

int MainWindow::VisiblePage() const {
  for (int i = 0; i < kPageCount; ++i) {
    if (IsWindowVisible(pages_[i])) return i;
  }
  return -1;
}

void MainWindow::SwitchPage() {
  const int selected = static_cast<int>(SendMessageW(Control("TabStrip1"), TCM_GETCURSEL, 0, 0));
  for (int i = 0; i < kPageCount; ++i) {
    if (i != selected) ShowWindow(pages_[i], SW_HIDE);
  }
  if (selected >= 0 && selected < kPageCount) ShowWindow(pages_[selected], SW_SHOW);
}

LRESULT CALLBACK MainWindow::FormProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (self == nullptr) return DefWindowProcW(window, message, wParam, lParam);
  return self->Handle(message, wParam, lParam);
}

// Pages pass their controls' reports on to the window, which owns the
// handlers.
LRESULT CALLBACK MainWindow::PageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
      return SendMessageW(GetParent(page), message, wParam, lParam);
    default:
      return DefWindowProcW(page, message, wParam, lParam);
  }
}

LRESULT MainWindow::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND: {
      const auto found = commands_.find({NameOf(reinterpret_cast<HWND>(lParam)), HIWORD(wParam)});
      if (found != commands_.end()) found->second();
      return 0;
    }
    case WM_NOTIFY: {
      auto& header = *reinterpret_cast<NMHDR*>(lParam);
      const std::string name = NameOf(header.hwndFrom);
      if (name == "TabStrip1" && header.code == TCN_SELCHANGE) SwitchPage();
      const auto found = notifies_.find(name);
      return found != notifies_.end() ? found->second(header) : 0;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN: {
      // Frames, labels and option buttons sit on white pages; edit boxes
      // keep their own colours.
      const auto control = reinterpret_cast<HWND>(lParam);
      if (IsEdit(control) || GetParent(control) == window_) break;
      const auto dc = reinterpret_cast<HDC>(wParam);
      SetBkColor(dc, RGB(255, 255, 255));
      SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
      return reinterpret_cast<LRESULT>(white_);
    }
    case WM_ACTIVATE:
      if (LOWORD(wParam) == WA_INACTIVE) {
        HWND focus = GetFocus();
        focusBeforeDeactivation_ = focus != nullptr && IsChild(window_, focus) ? focus : nullptr;
        return 0;
      }
      if (focusBeforeDeactivation_ != nullptr && IsWindow(focusBeforeDeactivation_)) {
        restoringFocus_ = true;
        SetFocus(focusBeforeDeactivation_);
        restoringFocus_ = false;
        return 0;
      }
      break;
    case WM_DPICHANGED: {
      scale_ = {HIWORD(wParam)};
      const auto& suggested = *reinterpret_cast<RECT*>(lParam);
      SetWindowPos(window_, nullptr, suggested.left, suggested.top, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
      ApplyScale();
      return 0;
    }
    case WM_CLOSE: {
      const auto found = messages_.find(message);
      if (found != messages_.end()) found->second(wParam, lParam);
      DestroyWindow(window_);
      return 0;
    }
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default: {
      const auto found = messages_.find(message);
      if (found != messages_.end()) {
        found->second(wParam, lParam);
        return 0;
      }
      break;
    }
  }
  return DefWindowProcW(window_, message, wParam, lParam);
}

}  // namespace tavorin
