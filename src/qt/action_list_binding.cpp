#include <QListWidget>

#include "core/actions/action_list_upkeep.h"
#include "qt/button_commands.h"
#include "qt/file_drop_filter.h"
#include "qt/qt_file_dialogs.h"
#include "qt/form1.h"
#include "qt/form1_bindings.h"
#include "qt/form1_controls.h"
#include "qt/qt_message_boxes.h"

namespace tavorin {

void BindActionList(Form1& form) {
  auto* files = new FileButtonsLogic<ActionListUpkeep>(form, form.controls().list3);
  ActionListUpkeep& upkeep = files->logic;
  ConnectButtons<ActionListUpkeep>(form, files, upkeep,
                                   {{"Command8", &ActionListUpkeep::ImportActionFile},
                                    {"Command9", &ActionListUpkeep::ExportActionFile},
                                    {"Command10", &ActionListUpkeep::ClearActionList}});
  auto* list3 = form.findChild<QListWidget*>("List3");
  // A double-click on a row has made that row current before this runs.
  QObject::connect(list3, &QListWidget::itemDoubleClicked, files,
                   [&upkeep] { upkeep.DeleteCurrentAction(); });
  FileDropFilter::Install(*list3, [&upkeep](const auto& paths) { upkeep.LoadDroppedActionFile(paths); });
}

}  // namespace tavorin
