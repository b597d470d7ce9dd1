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

// A moveable global block holding a copy of `bytes`, as the clipboard takes
// it; null when memory runs out.
HGLOBAL GlobalCopy(const void* data, std::size_t bytes) {
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
  if (memory == nullptr) return nullptr;
  void* target = GlobalLock(memory);
  if (target == nullptr) {
    GlobalFree(memory);
    return nullptr;
  }
  std::memcpy(target, data, bytes);
  GlobalUnlock(memory);
  return memory;
}

// Formats that Windows' clipboard history and cloud sync (and some other
// clipboard managers) honour. The first excludes the content whatever its
// data; the others say no with a DWORD 0.
void MarkNotForHistory() {
  constexpr const wchar_t* kMarkers[] = {L"ExcludeClipboardContentFromMonitorProcessing",
                                         L"CanIncludeInClipboardHistory", L"CanUploadToCloudClipboard"};
  constexpr DWORD kNo = 0;
  for (const wchar_t* name : kMarkers) {
    const UINT format = RegisterClipboardFormatW(name);
    HGLOBAL memory = format == 0 ? nullptr : GlobalCopy(&kNo, sizeof kNo);
    if (memory != nullptr && SetClipboardData(format, memory) == nullptr) GlobalFree(memory);
  }
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
  HGLOBAL memory = GlobalCopy(text.c_str(), (text.size() + 1) * sizeof(char16_t));
  if (memory == nullptr) return false;
  if (!OpenClipboardWaiting(owner, patience)) {
    GlobalFree(memory);
    return false;
  }
  // After a successful SetClipboardData the system owns the block.
  const bool set = EmptyClipboard() && SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
  if (set) MarkNotForHistory();
  CloseClipboard();
  if (!set) GlobalFree(memory);
  return set;
}

}  // namespace tavorin
