#include "win32/form1.h"

#include <commctrl.h>
#include <shellapi.h>

#include <exception>
#include <string>
#include <vector>

#include "core/actions/action_lines.h"
#include "win32/entry_dialogs.h"
#include "win32/position_picker.h"
#include "win32/topmost.h"
#include "win32/wide_text.h"

namespace tavorin {
namespace {

constexpr UINT_PTR kTimer1 = 1;
// Between hiding the main window and copying the screen for the picker, so
// that the windows it uncovered have drawn themselves again.
constexpr UINT_PTR kPickerTimer = 2;
constexpr UINT kPickerSettleMs = 150;
// Loads the chosen record once the list has finished handling the click.
constexpr UINT kLoadRecordMessage = WM_APP + 1;
constexpr UINT_PTR kSubclassId = 1;
constexpr int kActionButtons = 6;

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
      recordEditor_(list1_, text6_, label9_),
      recordUpkeep_(list1_, text6_, recordEditor_, dialogs_, messages_),
      replacementWords_(list2_, text1_, text2_),
      actionUpkeep_(list3_, dialogs_, messages_),
      runControls_{list1_, list2_, list3_, list4_, text3_, text4_, text5_},
      runController_(runControls_, *this, messages_, clock_, [this] { return AcquirePlatform(); }),
      platformFactory_(std::move(platformFactory)) {
  BindRecords();
  BindReplacementWords();
  BindActions();
  BindRun();
  SetTimer(Handle(), kTimer1, kStatusTimerMs, nullptr);
  window_.OnMessage(WM_TIMER, [this](WPARAM id, LPARAM) {
    if (id == kTimer1) {
      recordEditor_.RefreshRecordStatus();
    } else if (id == kPickerTimer) {
      KillTimer(Handle(), kPickerTimer);
      OpenPositionPicker(Handle(), list3_);
    }
  });
}

Form1::~Form1() {
  RemoveWindowSubclass(window_.Control("List1"), ListProc, kSubclassId);
  RemoveWindowSubclass(window_.Control("List3"), ListProc, kSubclassId);
  RemoveWindowSubclass(window_.Control("Text6"), EditorProc, kSubclassId);
}

void Form1::BindRecords() {
  const std::pair<const char*, void (RecordUpkeep::*)()> buttons[] = {
      {"Command5", &RecordUpkeep::ImportRecordFile},  {"Command13", &RecordUpkeep::ExportRecordFile},
      {"Command11", &RecordUpkeep::SelectAllRecords}, {"Command12", &RecordUpkeep::SelectNoRecords},
      {"Command14", &RecordUpkeep::AddRecord},        {"Command15", &RecordUpkeep::DeleteCurrentRecord}};
  for (const auto& [name, command] : buttons) {
    window_.OnCommand(name, BN_CLICKED, [this, command = command] { (recordUpkeep_.*command)(); });
  }

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
  window_.OnMessage(kLoadRecordMessage, [this](WPARAM, LPARAM) {
    recordLoadPending_ = false;
    recordEditor_.LoadCurrentRecord();
  });

  HWND editor = window_.Control("Text6");
  window_.OnCommand("Text6", EN_CHANGE, [this] { recordEditor_.OnEditorChange(); });
  // Getting the window back is not a new visit to the editor: the caret
  // stays where it was.
  window_.OnCommand("Text6", EN_SETFOCUS, [this] {
    if (!window_.RestoringFocus()) recordEditor_.OnEditorFocus();
  });
  SetWindowSubclass(editor, EditorProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this));

  HWND list1 = window_.Control("List1");
  SetWindowSubclass(list1, ListProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
}

void Form1::BindReplacementWords() {
  const std::pair<const char*, void (ReplacementWords::*)()> buttons[] = {
      {"Command1", &ReplacementWords::Add},
      {"Command2", &ReplacementWords::Delete},
      {"Command3", &ReplacementWords::Clear},
      {"Command4", &ReplacementWords::Edit}};
  for (const auto& [name, command] : buttons) {
    window_.OnCommand(name, BN_CLICKED, [this, command = command] { (replacementWords_.*command)(); });
  }
}

void Form1::BindActions() {
  const std::pair<const char*, void (ActionListUpkeep::*)()> buttons[] = {
      {"Command8", &ActionListUpkeep::ImportActionFile},
      {"Command9", &ActionListUpkeep::ExportActionFile},
      {"Command10", &ActionListUpkeep::ClearActionList}};
  for (const auto& [name, command] : buttons) {
    window_.OnCommand(name, BN_CLICKED, [this, command = command] { (actionUpkeep_.*command)(); });
  }
  // The double-click has made its row current before this runs.
  window_.OnCommand("List3", LBN_DBLCLK, [this] { actionUpkeep_.DeleteCurrentAction(); });
  HWND list3 = window_.Control("List3");
  SetWindowSubclass(list3, ListProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this));

  for (int i = 0; i < kActionButtons; ++i) {
    window_.OnCommand(ArrayName("Command6", i), BN_CLICKED, [this, i] { AddAction(i); });
  }
}

void Form1::BindRun() {
  window_.OnCommand("Command7", BN_CLICKED, [this] { runController_.Start(); });
}

void Form1::AddAction(int index) {
  switch (index) {
    case 0: list3_.AddItem(std::u16string(kCopyLine)); break;
    case 1: list3_.AddItem(std::u16string(kPasteLine)); break;
    case 2:
      // Stays in the always-on-top band while hidden.
      ShowWindow(Handle(), SW_HIDE);
      SetTimer(Handle(), kPickerTimer, kPickerSettleMs, nullptr);
      break;
    case 3: RunKeyChordDialog(Handle(), list3_); break;
    case 4: RunWaitDialog(Handle(), list3_); break;
    case 5: RunInsertDialog(Handle(), list3_); break;
    default: break;
  }
}

LRESULT CALLBACK Form1::ListProc(HWND list, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                 DWORD_PTR data) {
  if (message != WM_DROPFILES) return DefSubclassProc(list, message, wParam, lParam);
  auto& form = *reinterpret_cast<Form1*>(data);
  const std::vector<std::u16string> files = DroppedFiles(reinterpret_cast<HDROP>(wParam));
  if (list == form.window_.Control("List1")) {
    form.recordUpkeep_.LoadDroppedRecordFile(files);
  } else {
    form.actionUpkeep_.LoadDroppedActionFile(files);
  }
  return 0;
}

// Sees each key before the editor inserts anything; the key goes on to it.
LRESULT CALLBACK Form1::EditorProc(HWND editor, UINT message, WPARAM wParam, LPARAM lParam,
                                   UINT_PTR, DWORD_PTR data) {
  if (message == WM_KEYDOWN) {
    reinterpret_cast<Form1*>(data)->recordEditor_.OnEditorKeyDown(static_cast<int>(wParam));
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

void Form1::Show() {
  ShowWindow(Handle(), SW_SHOW);
  MakeTopmost(Handle());
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
      messages_.ShowError(u"无法模拟鼠标和键盘：" + FromSystemText(error.what()));
      return nullptr;
    }
  }
  return platform_.get();
}

}  // namespace tavorin
