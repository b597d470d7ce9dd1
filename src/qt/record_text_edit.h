#pragma once

#include <QPlainTextEdit>

namespace tavorin {

// The record editor. Qt 6.4's plain-text edit dereferences the clipboard's
// data without checking it, so Ctrl+V or a middle click while no program
// owns the clipboard (or the primary selection) ends the whole program. This
// editor pastes only when there is text to paste, and pastes a lone CR or LF
// as the record rules keep it.
class RecordTextEdit : public QPlainTextEdit {
 public:
  using QPlainTextEdit::QPlainTextEdit;

 protected:
  bool canInsertFromMimeData(const QMimeData* source) const override;
  void insertFromMimeData(const QMimeData* source) override;
};

}  // namespace tavorin
