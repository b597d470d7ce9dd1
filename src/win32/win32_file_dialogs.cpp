#include "win32/win32_file_dialogs.h"

#include <commdlg.h>

#include <string>

#include "win32/wide_text.h"

namespace tavorin {
namespace {

// Pairs of shown name and pattern, ended by an empty pair.
constexpr wchar_t kFilter[] = L"文本文件(*.txt)\0*.txt\0";
constexpr DWORD kPathCapacity = 32768;

}  // namespace

std::optional<std::u16string> Win32FileDialogs::AskOpenPath() { return Ask(false, lastOpenPath_); }

std::optional<std::u16string> Win32FileDialogs::AskSavePath() { return Ask(true, lastSavePath_); }

std::optional<std::u16string> Win32FileDialogs::Ask(bool save, std::wstring& lastPath) {
  std::wstring path = lastPath;
  path.resize(kPathCapacity, L'\0');
  OPENFILENAMEW request{};
  request.lStructSize = sizeof request;
  request.hwndOwner = owner_;
  request.lpstrFilter = kFilter;
  request.nFilterIndex = 1;
  request.lpstrFile = path.data();
  request.nMaxFile = kPathCapacity;
  request.lpstrTitle = save ? L"导出" : L"导入";
  // No default extension: a name typed without one is used as typed.
  request.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_NOCHANGEDIR |
                  (save ? OFN_OVERWRITEPROMPT : OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST);
  const BOOL chosen = save ? GetSaveFileNameW(&request) : GetOpenFileNameW(&request);
  if (!chosen) return std::nullopt;
  path.resize(wcslen(path.c_str()));
  lastPath = path;
  return FromWide(path);
}

}  // namespace tavorin
