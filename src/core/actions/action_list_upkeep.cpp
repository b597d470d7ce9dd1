#include "core/actions/action_list_upkeep.h"

namespace tavorin {

ActionListUpkeep::ActionListUpkeep(ListBox& actions, FileDialogs& dialogs, MessageBoxes& messages)
    : actions_(actions), files_(actions, dialogs, messages, false) {}

void ActionListUpkeep::DeleteCurrentAction() {
  const int current = actions_.ListIndex();
  if (actions_.ListCount() == 0 || current < 0) return;
  actions_.RemoveItem(current);
}

void ActionListUpkeep::ClearActionList() { actions_.Clear(); }

void ActionListUpkeep::ImportActionFile() { files_.Import(); }

void ActionListUpkeep::LoadDroppedActionFile(const std::vector<std::u16string>& files) {
  if (files_.LoadDropped(files)) actions_.SetListIndex(-1);
}

void ActionListUpkeep::ExportActionFile() { files_.Export(); }

}  // namespace tavorin
