#include "platform/win32/clipboard_text.h"

#include <cstring>

namespace tavorin {
namespace {

bool OpenClipboardWaiting(HWND owner, std::chrono::milliseconds patience) {
  const auto deadline = std::chrono::steady_clock::now() + patience;
  while (!OpenClipboard(owner)) {
    if (std::chrono::steady_clock::now() >= deadline) return false;
    Sleep(10);
  }
  return true;
}

// A moveable global block holding `text` and its terminating zero, as the
// clipboard takes it; null when memory runs out.
HGLOBAL GlobalText(const std::u16string& text) {
  const std::size_t bytes = (text.size() + 1) * sizeof(char16_t);
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
  if (memory == nullptr) return nullptr;
  void* target = GlobalLock(memory);
  if (target == nullptr) {
    GlobalFree(memory);
    return nullptr;
  }
  std::memcpy(target, text.c_str(), bytes);
  GlobalUnlock(memory);
  return memory;
}

}  // namespace

bool EmptyClipboardWaiting(HWND owner, std::chrono::milliseconds patience) {
  if (!OpenClipboardWaiting(owner, patience)) return false;
  const bool emptied = EmptyClipboard();
  CloseClipboard();
  return emptied;
}

bool SetClipboardTextWaiting(HWND owner, const std::u16string& text,
                             std::chrono::milliseconds patience) {
  HGLOBAL memory = GlobalText(text);
  if (memory == nullptr) return false;
  if (!OpenClipboardWaiting(owner, patience)) {
    GlobalFree(memory);
    return false;
  }
  // After a successful SetClipboardData the system owns the block.
  const bool set = EmptyClipboard() && SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
  CloseClipboard();
  if (!set) GlobalFree(memory);
  return set;
}

}  // namespace tavorin
