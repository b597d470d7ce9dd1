#pragma once

#include <string>
#include <vector>

#include "core/listfiles/list_file_transfer.h"
#include "core/records/record_editor.h"
#include "core/interfaces/controls.h"

namespace tavorin {

// The commands around the record list List1: loading it from and saving it
// to a record file, checking all or no records, adding a placeholder record
// and deleting the current one. The editor is kept in step through
// RecordEditor.
class RecordUpkeep {
 public:
  static constexpr const char16_t* kNewRecordText = u"(请输入内容)";

  RecordUpkeep(ListBox& records, TextBox& editor, RecordEditor& editorLogic, FileDialogs& dialogs,
               MessageBoxes& messages);

  void ImportRecordFile();
  void LoadDroppedRecordFile(const std::vector<std::u16string>& files);
  void ExportRecordFile();
  void SelectAllRecords();
  void SelectNoRecords();
  void AddRecord();
  void DeleteCurrentRecord();

 private:
  void CheckEveryRecord(bool checked);

  ListBox& records_;
  TextBox& editor_;
  MessageBoxes& messages_;
  RecordEditor& editorLogic_;
  ListFileTransfer files_;
};

}  // namespace tavorin
