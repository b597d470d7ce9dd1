#include "core/records/record_upkeep.h"

#include "core/interfaces/full_list.h"

namespace tavorin {

RecordUpkeep::RecordUpkeep(ListBox& records, TextBox& editor, RecordEditor& editorLogic,
                           FileDialogs& dialogs, MessageBoxes& messages)
    : records_(records),
      editor_(editor),
      messages_(messages),
      editorLogic_(editorLogic),
      files_(records, dialogs, messages, true) {}

// A loaded list has no current record, so the editor, left as it was, edits
// nothing until a row is chosen.
void RecordUpkeep::ImportRecordFile() { files_.Import(); }

void RecordUpkeep::LoadDroppedRecordFile(const std::vector<std::u16string>& files) {
  if (files_.LoadDropped(files)) records_.SetListIndex(-1);
}

void RecordUpkeep::ExportRecordFile() { files_.Export(); }

void RecordUpkeep::CheckEveryRecord(bool checked) {
  if (records_.ListCount() == 0) return;
  for (int i = 0; i < records_.ListCount(); ++i) records_.SetSelected(i, checked);
  // No record is current before the editor empties, so emptying it writes
  // into no record.
  records_.SetListIndex(-1);
  editor_.SetText(std::u16string());
}

void RecordUpkeep::SelectAllRecords() { CheckEveryRecord(true); }

void RecordUpkeep::SelectNoRecords() { CheckEveryRecord(false); }

void RecordUpkeep::AddRecord() {
  if (!AppendOrSayFull(records_, kRecordListName, kNewRecordText, messages_)) return;
  const int last = records_.ListCount() - 1;
  records_.SetListIndex(last);
  records_.SetSelected(last, true);
  editorLogic_.LoadCurrentRecord();
}

void RecordUpkeep::DeleteCurrentRecord() {
  const int current = records_.ListIndex();
  if (records_.ListCount() == 0 || current < 0) return;
  records_.RemoveItem(current);
  records_.SetListIndex(-1);
  editor_.SetText(std::u16string());
}

}  // namespace tavorin
