#include "platform/win32/stop_key_hook.h"

#include <future>
#include <stdexcept>

#include "platform/win32/own_input.h"

namespace tavorin {
namespace {

// The hook procedure runs on the watching thread, which serves one hook.
thread_local StopKeyHook* tWatching = nullptr;

}  // namespace

bool StopKeyFilter::Swallow(const KBDLLHOOKSTRUCT& key, bool keyUp) {
  if (key.vkCode != VK_ESCAPE) return false;
  const bool own = (key.flags & LLKHF_INJECTED) != 0 && key.dwExtraInfo == kOwnInputTag;
  if (own) return false;
  if (keyUp) {
    const bool swallow = swallowedDown_;
    swallowedDown_ = false;
    return swallow;
  }
  if (suspended_) return false;
  triggered_ = true;
  swallowedDown_ = true;  // auto-repeat downs are swallowed alike
  return true;
}

void StopKeyFilter::Reset() {
  triggered_ = false;
  swallowedDown_ = false;
}

StopKeyHook::StopKeyHook() {
  event_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  if (event_ == nullptr) throw std::runtime_error("cannot create the stop key event");
}

StopKeyHook::~StopKeyHook() {
  Stop();
  CloseHandle(event_);
}

bool StopKeyHook::Start() {
  Stop();
  filter_.Reset();
  ResetEvent(event_);
  std::promise<bool> installed;
  std::future<bool> answer = installed.get_future();
  // The thread owns the promise: it may still be inside set_value when Start
  // has its answer.
  thread_ = std::thread([this, promise = std::move(installed)]() mutable { Watch(promise); });
  if (answer.get()) return true;
  thread_.join();
  return false;
}

void StopKeyHook::Stop() {
  if (!thread_.joinable()) return;
  PostThreadMessageW(threadId_.load(), WM_QUIT, 0, 0);
  thread_.join();
}

void StopKeyHook::Watch(std::promise<bool>& installed) {
  tWatching = this;
  // The thread's message queue must exist before Stop can post to it.
  MSG message;
  PeekMessageW(&message, nullptr, WM_USER, WM_USER, PM_NOREMOVE);
  threadId_ = GetCurrentThreadId();
  HHOOK hook = SetWindowsHookExW(WH_KEYBOARD_LL, HookProcedure, GetModuleHandleW(nullptr), 0);
  installed.set_value(hook != nullptr);
  if (hook == nullptr) return;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
  UnhookWindowsHookEx(hook);
}

LRESULT CALLBACK StopKeyHook::HookProcedure(int code, WPARAM message, LPARAM data) {
  if (code == HC_ACTION && tWatching != nullptr) {
    const auto& key = *reinterpret_cast<const KBDLLHOOKSTRUCT*>(data);
    const bool keyUp = message == WM_KEYUP || message == WM_SYSKEYUP;
    if (tWatching->filter_.Swallow(key, keyUp)) {
      if (tWatching->filter_.Triggered()) SetEvent(tWatching->event_);
      return 1;
    }
  }
  return CallNextHookEx(nullptr, code, message, data);
}

}  // namespace tavorin
