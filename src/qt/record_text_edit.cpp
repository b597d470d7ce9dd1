#include "qt/record_text_edit.h"

#include <QMimeData>

namespace tavorin {

bool RecordTextEdit::canInsertFromMimeData(const QMimeData* source) const {
  return source != nullptr && source->hasText();
}

void RecordTextEdit::insertFromMimeData(const QMimeData* source) {
  if (source != nullptr && source->hasText()) insertPlainText(source->text());
}

}  // namespace tavorin
