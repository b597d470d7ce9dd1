#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tavorin {

// The file dialogs as designed: each one's name and title, and the one
// filter both offer. Neither has a default extension: a name typed without
// one is used as typed.
inline constexpr std::u16string_view kOpenDialogName = u"CD1";
inline constexpr std::u16string_view kOpenDialogTitle = u"导入";
inline constexpr std::u16string_view kSaveDialogName = u"CD2";
inline constexpr std::u16string_view kSaveDialogTitle = u"导出";
inline constexpr std::u16string_view kTextFileFilterName = u"文本文件(*.txt)";
inline constexpr std::u16string_view kTextFileFilterPattern = u"*.txt";

// The two file dialogs of the main window, shared by the record list and the
// action list: CD1 opens ("导入"), CD2 saves ("导出"). Each offers the path
// last chosen in it. An empty result means the user cancelled.
class FileDialogs {
 public:
  virtual ~FileDialogs() = default;
  virtual std::optional<std::u16string> AskOpenPath() = 0;
  virtual std::optional<std::u16string> AskSavePath() = 0;
};

}  // namespace tavorin
