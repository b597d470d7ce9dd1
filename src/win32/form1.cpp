#include "win32/form1.h"

#include <commctrl.h>
#include <shellapi.h>

#include <exception>
#include <string>
#include <vector>

#include "core/interfaces/desktop_platform.h"
#include "core/interfaces/window_stacking.h"
#include "core/window/form1_control_table.h"
#include "win32/entry_dialogs.h"
#include "win32/position_picker.h"
#include "win32/wide_text.h"

namespace tavorin {
namespace {

constexpr UINT_PTR kTimer1 = 1;
// Runs kPickerSettleMs after the main window was hidden for the picker.
constexpr UINT_PTR kPickerTimer = 2;
// Loads the chosen record once the list has finished handling the click.
constexpr UINT kLoadRecordMessage = WM_APP + 1;
constexpr UINT_PTR kSubclassId = 1;

std::string ArrayName(const char* name, int index) {
  return std::string(name) + "(" + std::to_string(index) + ")";
}

std::vector<std::u16string> DroppedFiles(HDROP drop) {
  std::vector<std::u16string> files;
  const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
  for (UINT i = 0; i < count; ++i) {
    std::wstring path(DragQueryFileW(drop, i, nullptr, 0) + 1, L'\0');
    path.resize(DragQueryFileW(drop, i, path.data(), static_cast<UINT>(path.size())));
    files.push_back(FromWide(path));
  }
  DragFinish(drop);
  return files;
}

std::u16string FromSystemText(const char* text) {
  const int length = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
  std::wstring wide(length > 0 ? static_cast<std::size_t>(length) : 1, L'\0');
  MultiByteToWideChar(CP_ACP, 0, text, -1, wide.data(), length);
  wide.resize(wcslen(wide.c_str()));
  return FromWide(wide);
}

}  // namespace

Form1::Form1(PlatformFactory platformFactory)
    : list1_(window_.Control("List1")),
      list2_(window_.Control("List2")),
      list3_(window_.Control("List3")),
      list4_(window_.Control("List4")),
      text1_(window_.Control("Text1")),
      text2_(window_.Control("Text2")),
      text3_(window_.Control("Text3")),
      text4_(window_.Control("Text4")),
      text5_(window_.Control("Text5")),
      text6_(window_.Control("Text6")),
      label9_(window_.Control("Label9"), true),
      messages_(window_.Handle()),
      dialogs_(window_.Handle()),
      flows_(Form1Parts{list1_, list2_, list3_, text1_, text2_, text6_, label9_, messages_, dialogs_,
                        *this, SystemWindowStacking()}),
      runControls_{list1_, list2_, list3_, list4_, text3_, text4_, text5_},
      runController_(runControls_, *this, messages_, clock_, [this] { return AcquirePlatform(); }),
      platformFactory_(std::move(platformFactory)) {
  runController_.SetRunFeedback(&screens_, &badge_);
  BindRecordEditor();
  BindButtonsAndLists();
  window_.OnMessage(WM_CLOSE, [this](WPARAM, LPARAM) { flows_.MainWindowClosing(); });
  SetTimer(Handle(), kTimer1, kStatusTimerMs, nullptr);
  window_.OnMessage(WM_TIMER, [this](WPARAM id, LPARAM) {
    if (id == kTimer1) {
      flows_.recordEditor().RefreshRecordStatus();
    } else if (id == kPickerTimer) {
      KillTimer(Handle(), kPickerTimer);
      OpenPositionPicker(Handle(), list3_, [this] { ShowMainWindow(); });
    }
  });
}

Form1::~Form1() {
  RemoveWindowSubclass(window_.Control("List1"), ListProc, kSubclassId);
  RemoveWindowSubclass(window_.Control("List3"), ListProc, kSubclassId);
  RemoveWindowSubclass(window_.Control("Text6"), EditorProc, kSubclassId);
}

void Form1::BindRecordEditor() {
  RecordEditor& editor = flows_.recordEditor();
  // A click on a row, or the highlight moved by keys or a drag, loads the
  // record into the editor; the program's own changes do not.
  window_.OnNotify("List1", [this](NMHDR& header) -> LRESULT {
    bool chosen = header.code == NM_CLICK && reinterpret_cast<NMITEMACTIVATE&>(header).iItem >= 0;
    if (header.code == LVN_ITEMCHANGED && !list1_.Changing()) {
      const auto& change = reinterpret_cast<NMLISTVIEW&>(header);
      chosen = (change.uChanged & LVIF_STATE) && (change.uNewState & LVIS_SELECTED) &&
               !(change.uOldState & LVIS_SELECTED);
    }
    if (chosen && !recordLoadPending_) {
      recordLoadPending_ = true;
      PostMessageW(Handle(), kLoadRecordMessage, 0, 0);
    }
    return 0;
  });
  window_.OnMessage(kLoadRecordMessage, [this, &editor](WPARAM, LPARAM) {
    recordLoadPending_ = false;
    editor.LoadCurrentRecord();
    // One click reports twice (the new highlight, then the click itself), so
    // the second load finds the editor focused already: no focus report
    // comes to select the new text, and a typed key would go before it.
    if (GetFocus() == window_.Control("Text6")) editor.OnEditorFocus();
  });
  window_.OnCommand("Text6", EN_CHANGE, [&editor] { editor.OnEditorChange(); });
  // Getting the window back is not a new visit to the editor: the caret
  // stays where it was.
  window_.OnCommand("Text6", EN_SETFOCUS, [this, &editor] {
    if (!window_.RestoringFocus()) editor.OnEditorFocus();
  });
  SetWindowSubclass(window_.Control("Text6"), EditorProc, kSubclassId,
                    reinterpret_cast<DWORD_PTR>(this));
}

void Form1::BindButtonsAndLists() {
  for (const ControlSpec& spec : Form1ControlTable()) {
    const std::string name(spec.name);
    if (flows_.HandlesClick(name)) {
      window_.OnCommand(name, BN_CLICKED, [this, name] { flows_.Click(name); });
    }
    if (spec.Has(kAcceptsFiles)) {
      SetWindowSubclass(window_.Control(name), ListProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
    }
  }
  // The double-click has made its row current before this runs.
  window_.OnCommand("List3", LBN_DBLCLK, [this] { flows_.DoubleClick("List3"); });
  window_.OnCommand("Command7", BN_CLICKED, [this] { runController_.Start(); });
}

void Form1::HideMainWindow() { ShowWindow(Handle(), SW_HIDE); }

void Form1::OpenPositionPickerSoon() { SetTimer(Handle(), kPickerTimer, kPickerSettleMs, nullptr); }

void Form1::RunKeyChordDialog() { tavorin::RunKeyChordDialog(Handle(), list3_); }

void Form1::RunWaitDialog() { tavorin::RunWaitDialog(Handle(), list3_); }

void Form1::RunInsertDialog() { tavorin::RunInsertDialog(Handle(), list3_); }

LRESULT CALLBACK Form1::ListProc(HWND list, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                 DWORD_PTR data) {
  if (message != WM_DROPFILES) return DefSubclassProc(list, message, wParam, lParam);
  auto& form = *reinterpret_cast<Form1*>(data);
  form.flows_.DropFiles(form.window_.NameOf(list), DroppedFiles(reinterpret_cast<HDROP>(wParam)));
  return 0;
}

// Sees each key before the editor inserts anything; the key goes on to it.
LRESULT CALLBACK Form1::EditorProc(HWND editor, UINT message, WPARAM wParam, LPARAM lParam,
                                   UINT_PTR, DWORD_PTR data) {
  if (message == WM_KEYDOWN) {
    reinterpret_cast<Form1*>(data)->flows_.recordEditor().OnEditorKeyDown(static_cast<int>(wParam));
  }
  return DefSubclassProc(editor, message, wParam, lParam);
}

void Form1::Hide() {
  ShowWindow(Handle(), SW_HIDE);
  // Let the windows it uncovered draw before the first click lands there.
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE | PM_QS_PAINT | PM_QS_SENDMESSAGE)) {
    DispatchMessageW(&message);
  }
}

void Form1::ShowMainWindow(int showCommand) {
  ShowWindow(Handle(), showCommand);
  flows_.MainWindowShown();
  SetForegroundWindow(Handle());
}

bool Form1::RefreshBeforeCooldownChosen() const {
  return SendMessageW(window_.Control(ArrayName("Option1", 0)), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

int Form1::RefreshKeyListIndex() const {
  const LRESULT index = SendMessageW(window_.Control("Combo1"), CB_GETCURSEL, 0, 0);
  return index == CB_ERR ? -1 : static_cast<int>(index);
}

Platform* Form1::AcquirePlatform() {
  if (platform_ == nullptr) {
    try {
      platform_ = platformFactory_();
    } catch (const std::exception& error) {
      messages_.ShowError(std::u16string(kNoInputSimulationMessage) + FromSystemText(error.what()));
      return nullptr;
    }
  }
  return platform_.get();
}

}  // namespace tavorin
