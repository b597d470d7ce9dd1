#include "core/records/record_editor.h"

#include <string>

#include "core/interfaces/full_list.h"

namespace tavorin {
namespace {

std::u16string WithoutCrLf(const std::u16string& text) {
  std::u16string cleaned;
  cleaned.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') {
      ++i;
      continue;
    }
    cleaned += text[i];
  }
  return cleaned;
}

}  // namespace

RecordEditor::RecordEditor(ListBox& records, TextBox& editor, Label& status, MessageBoxes& messages)
    : records_(records), editor_(editor), status_(status), messages_(messages) {}

bool RecordEditor::HasCurrentRecord() const {
  const int current = records_.ListIndex();
  return records_.ListCount() > 0 && current >= 0 && current < records_.ListCount();
}

void RecordEditor::LoadCurrentRecord() {
  if (!HasCurrentRecord()) return;
  editor_.SetText(records_.List(records_.ListIndex()));
  // The editor may still be disabled right after the first record arrived;
  // the focus request is then simply dropped.
  editor_.SetFocus();
}

void RecordEditor::OnEditorFocus() {
  const std::u16string text = editor_.Text();
  editor_.Select(0, static_cast<int>(text.size()));
}

void RecordEditor::OnEditorChange() {
  if (!HasCurrentRecord()) return;
  const std::u16string text = editor_.Text();
  const std::u16string cleaned = WithoutCrLf(text);
  // Setting the text re-enters this reaction with the cleaned text; writing
  // the record here as well keeps the result independent of that.
  if (cleaned != text) editor_.SetText(cleaned);
  // An emptied editor never empties its record.
  if (!cleaned.empty()) records_.SetList(records_.ListIndex(), cleaned);
}

bool RecordEditor::OnEditorKeyDown(int keyCode) {
  if (keyCode != kEnterKey && keyCode != kSeparatorKey) return false;
  if (editor_.Text().empty()) return false;
  if (!AppendOrSayFull(records_, kRecordListName, std::u16string(), messages_)) {
    return keyCode == kSeparatorKey;
  }
  const int last = records_.ListCount() - 1;
  records_.SetListIndex(last);
  records_.SetSelected(last, true);
  LoadCurrentRecord();
  return keyCode == kSeparatorKey;
}

void RecordEditor::RefreshRecordStatus() {
  const int count = records_.ListCount();
  if (count > 0) {
    const std::string status = std::to_string(records_.SelCount()) + "/" + std::to_string(count);
    status_.SetCaption(std::u16string(status.begin(), status.end()));
    editor_.SetEnabled(true);
  } else {
    status_.SetCaption(u"列表中无项目");
    editor_.SetEnabled(false);
  }
}

}  // namespace tavorin
