#include <QListWidget>

#include "qt/button_commands.h"
#include "qt/file_drop_filter.h"
#include "qt/qt_file_dialogs.h"
#include "core/records/record_upkeep.h"
#include "qt/form1.h"
#include "qt/form1_bindings.h"
#include "qt/form1_controls.h"
#include "qt/qt_message_boxes.h"

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
