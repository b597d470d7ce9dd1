#pragma once

#include <string>
#include <vector>

#include "core/listfiles/list_file_transfer.h"

namespace tavorin {

// The upkeep of the action list List3: deleting the current action, clearing
// the list, and loading it from and saving it to an action file.
class ActionListUpkeep {
 public:
  ActionListUpkeep(ListBox& actions, FileDialogs& dialogs, MessageBoxes& messages);

  void DeleteCurrentAction();
  void ClearActionList();
  void ImportActionFile();
  void LoadDroppedActionFile(const std::vector<std::u16string>& files);
  void ExportActionFile();

 private:
  ListBox& actions_;
  ListFileTransfer files_;
};

}  // namespace tavorin
