#include "qt/record_text_edit.h"

#include <QMimeData>

#include "qt/line_breaks.h"

namespace tavorin {

bool RecordTextEdit::canInsertFromMimeData(const QMimeData* source) const {
  return source != nullptr && source->hasText();
}

void RecordTextEdit::insertFromMimeData(const QMimeData* source) {
  // Only CR LF is a line break of the program's texts: a pasted lone CR or
  // LF goes in as its picture, as when the record is shown, and stays.
  if (source != nullptr && source->hasText()) insertPlainText(FromCrLf(source->text()));
}

}  // namespace tavorin
