#pragma once

#include <optional>
#include <string>

namespace tavorin {

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
