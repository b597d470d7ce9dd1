#include <QListWidget>

#include "actions/button_commands.h"
#include "actions/file_drop_filter.h"
#include "actions/qt_file_dialogs.h"
#include "records/record_upkeep.h"
#include "ui/form1.h"
#include "ui/form1_bindings.h"
#include "ui/form1_controls.h"
#include "ui/qt_message_boxes.h"

namespace tavorin {

void BindRecordFiles(Form1& form) {
  Form1Controls& c = form.controls();
  auto* files = new FileButtonsLogic<RecordUpkeep>(form, c.list1, c.text6, c.recordEditor);
  RecordUpkeep& upkeep = files->logic;
  ConnectButtons<RecordUpkeep>(form, files, upkeep,
                               {{"Command5", &RecordUpkeep::ImportRecordFile},
                                {"Command13", &RecordUpkeep::ExportRecordFile},
                                {"Command11", &RecordUpkeep::SelectAllRecords},
                                {"Command12", &RecordUpkeep::SelectNoRecords},
                                {"Command14", &RecordUpkeep::AddRecord},
                                {"Command15", &RecordUpkeep::DeleteCurrentRecord}});
  FileDropFilter::Install(*form.findChild<QListWidget*>("List1"),
                          [&upkeep](const auto& paths) { upkeep.LoadDroppedRecordFile(paths); });
}

}  // namespace tavorin
