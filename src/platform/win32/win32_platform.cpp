#include "platform/win32/win32_platform.h"

#include <chrono>
#include <stdexcept>

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

const std::u16string kClipboardLocked = u"无法写入剪贴板：另一个程序一直占用着它。";

}  // namespace

Win32Platform::Win32Platform() {
  // A message-only window: the clipboard wants an owner window for changes.
  clipboardOwner_ = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                    GetModuleHandleW(nullptr), nullptr);
  if (clipboardOwner_ == nullptr) throw std::runtime_error("cannot create the clipboard window");
}

Win32Platform::~Win32Platform() {
  stopKey_.Stop();
  DestroyWindow(clipboardOwner_);
}

void Win32Platform::SetCursorPos(std::int32_t x, std::int32_t y) { MovePointer(x, y); }

void Win32Platform::MouseEvent(std::uint32_t flags) { PressButtons(flags); }

void Win32Platform::KeyEvent(std::uint8_t virtualKey, bool keyUp) {
  held_[virtualKey] = !keyUp;
  const bool control = held_[VK_CONTROL] || held_[VK_LCONTROL] || held_[VK_RCONTROL];
  // Another program may have taken the clipboard since the copy: any change
  // moves the sequence number on, and a taker becomes its owner. The text
  // goes back before the target sees Ctrl+V.
  if (virtualKey == 'V' && !keyUp && control && ownText_ &&
      (placedSequence_ != GetClipboardSequenceNumber() || GetClipboardOwner() != clipboardOwner_)) {
    PlaceOwnText();
  }
  SendKey(virtualKey, keyUp);
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
  if (!EmptyClipboardWaiting(clipboardOwner_, kClipboardPatience)) ShowError(kClipboardLocked);
}

void Win32Platform::SetClipboardText(const std::u16string& text) {
  ownText_ = text;
  PlaceOwnText();
}

void Win32Platform::PlaceOwnText() {
  placedSequence_.reset();
  if (!SetClipboardTextWaiting(clipboardOwner_, *ownText_, kClipboardPatience)) {
    ShowError(kClipboardLocked);
    return;
  }
  placedSequence_ = GetClipboardSequenceNumber();
}

void Win32Platform::ShowError(const std::u16string& message) {
  // While the box is up, Esc answers the box rather than stopping the run.
  stopKey_.Suspend(true);
  ShowErrorBoxAboveAll(message);
  stopKey_.Suspend(false);
}

void Win32Platform::BeginStopWatch() {
  watching_ = true;
  // Without the hook a run still works; it only cannot be stopped early.
  stopKey_.Start();
}

void Win32Platform::EndStopWatch() {
  watching_ = false;
  stopKey_.Stop();
}

bool Win32Platform::StopRequested() { return stopKey_.Triggered(); }

// Not yet watched on this system: nothing is known to have gone wrong.
DeliveryFault Win32Platform::CheckDelivery(DeliveryCheck) { return DeliveryFault::kNone; }

void Win32Platform::KeepAwake(bool) {}

std::vector<std::uint32_t> Win32Platform::ReadScreenArea(const ScreenRect& area) { return ReadDesktopArea(area); }

}  // namespace tavorin
