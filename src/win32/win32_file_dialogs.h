#pragma once

#include <windows.h>

#include "core/interfaces/file_dialogs.h"

namespace tavorin {

// CD1 ("导入") and CD2 ("导出") as the common open and save dialogs. Each
// offers the path last chosen in it; a cancel keeps it.
class Win32FileDialogs : public FileDialogs {
 public:
  explicit Win32FileDialogs(HWND owner) : owner_(owner) {}

  std::optional<std::u16string> AskOpenPath() override;
  std::optional<std::u16string> AskSavePath() override;

 private:
  std::optional<std::u16string> Ask(bool save, std::wstring& lastPath);

  HWND owner_;
  std::wstring lastOpenPath_;
  std::wstring lastSavePath_;
};

}  // namespace tavorin
