#include "platform/win32/win32_platform.h"

#include <chrono>
#include <stdexcept>
#include <utility>

#include "platform/win32/clipboard_text.h"
#include "platform/win32/error_box.h"
#include "platform/win32/key_input.h"
#include "platform/win32/pointer_input.h"
#include "platform/win32/screen_area.h"

namespace tavorin {
namespace {

// Long enough for another program's brief hold, short enough that a run
// does not seem to hang.
constexpr std::chrono::milliseconds kClipboardPatience{1000};

constexpr EXECUTION_STATE kAwake = ES_CONTINUOUS | ES_SYSTEM_REQUIRED | ES_DISPLAY_REQUIRED;

}  // namespace

Win32Platform::Win32Platform(SystemAccess& system) : system_(system) {
  // A message-only window: the clipboard wants an owner window for changes.
  clipboardOwner_ = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                    GetModuleHandleW(nullptr), nullptr);
  if (clipboardOwner_ == nullptr) throw std::runtime_error("cannot create the clipboard window");
}

Win32Platform::~Win32Platform() {
  stopKey_.Stop();
  // The state would otherwise last as long as the thread.
  KeepAwake(false);
  DestroyWindow(clipboardOwner_);
}

void Win32Platform::Note(DeliveryFault fault) {
  if (noted_ == DeliveryFault::kNone) noted_ = fault;
}

// A locked workstation or another thread's BlockInput makes the system take
// fewer events than were sent.
void Win32Platform::SetCursorPos(std::int32_t x, std::int32_t y) {
  if (!MovePointer(system_, x, y)) Note(DeliveryFault::kInputBlocked);
}

void Win32Platform::MouseEvent(std::uint32_t flags) {
  if (!PressButtons(system_, flags)) Note(DeliveryFault::kInputBlocked);
}

void Win32Platform::KeyEvent(std::uint8_t virtualKey, bool keyUp) {
  held_[virtualKey] = !keyUp;
  const bool control = held_[VK_CONTROL] || held_[VK_LCONTROL] || held_[VK_RCONTROL];
  // Another program may have taken the clipboard since the copy: any change
  // moves the sequence number on, and a taker becomes its owner. The text
  // goes back before the target sees Ctrl+V; when it cannot, the V stays
  // unsent, so the target never pastes the other program's text.
  if (virtualKey == 'V' && !keyUp && control && ownText_ &&
      (placedSequence_ != GetClipboardSequenceNumber() || GetClipboardOwner() != clipboardOwner_) &&
      !PlaceOwnText()) {
    return;
  }
  INPUT input = KeyInput(virtualKey, keyUp);
  if (system_.SendInput(1, &input) != 1) Note(DeliveryFault::kInputBlocked);
}

void Win32Platform::Sleep(std::int32_t milliseconds) {
  if (!watching_) {
    pause_.Wait(milliseconds);
  } else if (!stopKey_.Triggered()) {
    pause_.Wait(milliseconds, stopKey_.Event());
  }
}

void Win32Platform::ClearClipboard() {
  ownText_.reset();
  if (!EmptyClipboardWaiting(clipboardOwner_, kClipboardPatience)) Note(DeliveryFault::kClipboardLost);
}

void Win32Platform::SetClipboardText(const std::u16string& text) {
  ownText_ = text;
  PlaceOwnText();
}

bool Win32Platform::PlaceOwnText() {
  placedSequence_.reset();
  if (!SetClipboardTextWaiting(clipboardOwner_, *ownText_, kClipboardPatience)) {
    Note(DeliveryFault::kClipboardLost);
    return false;
  }
  placedSequence_ = GetClipboardSequenceNumber();
  return true;
}

void Win32Platform::ShowError(const std::u16string& message) {
  // While the box is up, Esc answers the box rather than stopping the run.
  stopKey_.Suspend(true);
  ShowErrorBoxAboveAll(message);
  stopKey_.Suspend(false);
}

void Win32Platform::BeginStopWatch() {
  watching_ = true;
  // A run starts afresh: what went wrong before it is no fault of its own.
  noted_ = DeliveryFault::kNone;
  // Without the hook a run still works; it only cannot be stopped early.
  stopKey_.Start();
}

void Win32Platform::EndStopWatch() {
  watching_ = false;
  stopKey_.Stop();
}

bool Win32Platform::StopRequested() { return stopKey_.Triggered(); }

DeliveryFault Win32Platform::CheckDelivery(DeliveryCheck when) {
  if (noted_ != DeliveryFault::kNone) return std::exchange(noted_, DeliveryFault::kNone);
  if (when != DeliveryCheck::kBeforeInput) return DeliveryFault::kNone;
  // Locked, or the secure desktop of a password or elevation prompt.
  const std::optional<std::wstring> desktop = system_.InputDesktopName();
  if (!desktop || _wcsicmp(desktop->c_str(), L"Default") != 0) return DeliveryFault::kInputBlocked;
  // The system drops input to a window of a higher level without a word. A
  // process that will not be asked is an elevated one; when this program's
  // own level is unknown there is nothing to compare with.
  const std::optional<DWORD> own = system_.OwnIntegrity();
  const std::optional<DWORD> front = own ? system_.ForegroundIntegrity() : std::nullopt;
  if (own && (!front || *front > *own)) return DeliveryFault::kTargetElevated;
  return DeliveryFault::kNone;
}

void Win32Platform::KeepAwake(bool on) {
  if (on == awake_) return;
  awake_ = on;
  system_.SetExecutionState(on ? kAwake : ES_CONTINUOUS);
}

std::vector<std::uint32_t> Win32Platform::ReadScreenArea(const ScreenRect& area) { return ReadDesktopArea(area); }

std::int64_t Win32Platform::SteadyMs() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

DoubleClickLimits Win32Platform::DoubleClickSpan() {
  return {static_cast<std::int32_t>(GetDoubleClickTime()), GetSystemMetrics(SM_CXDOUBLECLK),
          GetSystemMetrics(SM_CYDOUBLECLK)};
}

}  // namespace tavorin
