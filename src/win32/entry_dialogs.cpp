#include "win32/entry_dialogs.h"

#include <commctrl.h>

#include <string>
#include <string_view>

#include "core/actions/action_lines.h"
#include "core/actions/key_chord_capture.h"
#include "core/interfaces/list_box.h"
#include "core/window/form1_control_table.h"
#include "win32/dpi_scale.h"
#include "win32/wide_text.h"
#include "win32/window_class.h"

namespace tavorin {
namespace {

constexpr wchar_t kDialogClass[] = L"TavorinEntryDialog";
constexpr UINT_PTR kSubclassId = 1;
constexpr int kVkSeparator = 108;

// One open dialog. Form3 has only its text box; Form4 and Form5 add "确定".
struct Dialog {
  Dialog(HWND owner, ListBox& list, std::u16string (*line)(std::u16string_view) = nullptr)
      : form(owner), actions(list), makeLine(line) {}

  HWND form;
  ListBox& actions;
  // Form4 and Form5: the line made from the typed text. Form3: none.
  std::u16string (*makeLine)(std::u16string_view);
  HWND window = nullptr;
  HWND text1 = nullptr;
  HWND command5 = nullptr;
  HFONT font = nullptr;
  KeyChordCapture capture;
  bool done = false;
};

int HeldModifiers() {
  return (GetKeyState(VK_SHIFT) < 0 ? kShiftMask : 0) | (GetKeyState(VK_CONTROL) < 0 ? kCtrlMask : 0) |
         (GetKeyState(VK_MENU) < 0 ? kAltMask : 0);
}

// Every way out ends here: the owner takes input again before the dialog
// goes, so the activation returns to it.
void Finish(Dialog& dialog) {
  if (dialog.done) return;
  dialog.done = true;
  EnableWindow(dialog.form, TRUE);
  DestroyWindow(dialog.window);
}

void Confirm(Dialog& dialog) {
  if (dialog.done || dialog.makeLine == nullptr) return;
  dialog.actions.AddItem(dialog.makeLine(WindowText(dialog.text1)));
  Finish(dialog);
}

// Form3's text box: every key, Tab, Enter, Esc and Alt included, is part of
// a chord; nothing is typed into the box.
LRESULT CALLBACK KeyBoxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                            DWORD_PTR data) {
  auto& dialog = *reinterpret_cast<Dialog*>(data);
  switch (message) {
    case WM_GETDLGCODE:
      return DLGC_WANTALLKEYS | DLGC_WANTCHARS;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      dialog.capture.Press(static_cast<int>(wParam), HeldModifiers());
      SetWindowTextW(box, ToWide(dialog.capture.Text()).c_str());
      return 0;
    case WM_KEYUP:
    case WM_SYSKEYUP:
      if (const auto line = dialog.capture.Release()) {
        dialog.actions.AddItem(*line);
        Finish(dialog);
      }
      return 0;
    case WM_CHAR:
    case WM_SYSCHAR:
    case WM_DEADCHAR:
    case WM_SYSDEADCHAR:
      return 0;
    default:
      return DefSubclassProc(box, message, wParam, lParam);
  }
}

// Form4's and Form5's text box: the keypad separator confirms like Enter.
LRESULT CALLBACK EntryBoxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                              DWORD_PTR data) {
  if (message == WM_KEYDOWN && wParam == kVkSeparator) {
    Confirm(*reinterpret_cast<Dialog*>(data));
    return 0;
  }
  return DefSubclassProc(box, message, wParam, lParam);
}

LRESULT CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* dialog = reinterpret_cast<Dialog*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (dialog != nullptr) {
    switch (message) {
      case WM_COMMAND:
        // "确定", and Enter anywhere in the dialog; Esc (IDCANCEL) is no way
        // out here: only the close box closes without a line.
        if (LOWORD(wParam) == IDOK) Confirm(*dialog);
        return 0;
      case WM_CLOSE:
        Finish(*dialog);
        return 0;
      default:
        break;
    }
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

struct Design {
  const wchar_t* caption;
  int width, height;   // client area, twips
  int textWidth;
  int buttonLeft;      // 0: no button
  bool buttonFirst;    // in the focus order
  bool readOnly;
};

HWND AddChild(Dialog& dialog, const DpiScale& scale, const wchar_t* windowClass, const wchar_t* text,
              DWORD style, DWORD exStyle, int id, int left, int width) {
  HWND child = CreateWindowExW(exStyle, windowClass, text, WS_CHILD | WS_VISIBLE | WS_TABSTOP | style,
                               scale.Px(left), scale.Px(120), scale.Px(width), scale.Px(375),
                               dialog.window, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                               GetModuleHandleW(nullptr), nullptr);
  SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(dialog.font), FALSE);
  return child;
}

void RunDialog(Dialog& dialog, const Design& design) {
  RegisterWindowClass(kDialogClass, DialogProc, IDC_ARROW, GetSysColorBrush(COLOR_BTNFACE));
  const DpiScale scale = DpiOf(dialog.form);
  const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
  const DWORD exStyle = WS_EX_TOOLWINDOW | WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
  RECT outer{0, 0, scale.Px(design.width), scale.Px(design.height)};
  AdjustWindowRectEx(&outer, style, FALSE, exStyle);
  const int width = outer.right - outer.left;
  const int height = outer.bottom - outer.top;
  RECT owner{};
  GetWindowRect(dialog.form, &owner);
  const int left = (owner.left + owner.right - width) / 2;
  const int top = (owner.top + owner.bottom - height) / 2;

  dialog.window = CreateWindowExW(exStyle, kDialogClass, design.caption, style, left, top, width,
                                  height, dialog.form, nullptr, GetModuleHandleW(nullptr), nullptr);
  SetWindowLongPtrW(dialog.window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&dialog));
  dialog.font = CreateUiFont(scale, kUiFontPoints);

  // Created in the focus order.
  const auto addButton = [&] {
    dialog.command5 = AddChild(dialog, scale, WC_BUTTONW, L"确定", BS_DEFPUSHBUTTON, 0, IDOK,
                               design.buttonLeft, 735);
  };
  if (design.buttonLeft > 0 && design.buttonFirst) addButton();
  dialog.text1 = AddChild(dialog, scale, WC_EDITW, L"", ES_AUTOHSCROLL | (design.readOnly ? ES_READONLY : 0),
                          WS_EX_CLIENTEDGE, 100, 120, design.textWidth);
  if (design.buttonLeft > 0 && !design.buttonFirst) addButton();
  SetWindowSubclass(dialog.text1, design.readOnly ? KeyBoxProc : EntryBoxProc, kSubclassId,
                    reinterpret_cast<DWORD_PTR>(&dialog));

  EnableWindow(dialog.form, FALSE);
  ShowWindow(dialog.window, SW_SHOW);
  SetForegroundWindow(dialog.window);
  SetFocus(design.buttonFirst ? dialog.command5 : dialog.text1);

  MSG message{};
  bool quit = false;
  while (!dialog.done) {
    const BOOL got = GetMessageW(&message, nullptr, 0, 0);
    if (got <= 0) {
      quit = got == 0;
      Finish(dialog);
      break;
    }
    // The key dialog takes Tab and Enter as chords, not as dialog keys.
    if (!design.readOnly && IsDialogMessageW(dialog.window, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  DeleteObject(dialog.font);
  if (quit) PostQuitMessage(static_cast<int>(message.wParam));
}

}  // namespace

void RunKeyChordDialog(HWND form, ListBox& actions) {
  Dialog dialog{form, actions};
  RunDialog(dialog, {kKeyChordCaption, 3315, 600, 3015, 0, false, true});
}

void RunWaitDialog(HWND form, ListBox& actions) {
  Dialog dialog{form, actions, &WaitLine};
  RunDialog(dialog, {kWaitCaption, 2745, 585, 1695, 1920, false, false});
}

void RunInsertDialog(HWND form, ListBox& actions) {
  Dialog dialog{form, actions, &InsertLine};
  RunDialog(dialog, {kInsertCaption, 3360, 585, 2295, 2520, true, false});
}

}  // namespace tavorin
