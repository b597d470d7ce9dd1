#include "qt/record_editor_binding.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QTimer>

#include "core/records/record_editor.h"
#include "qt/record_list_widget.h"
#include "qt/virtual_keys.h"

namespace tavorin {

RecordEditorBinding::RecordEditorBinding(RecordEditor& logic, RecordListWidget& list,
                                         QPlainTextEdit& editor, QTimer& timer, QObject* parent)
    : QObject(parent), logic_(logic), editor_(editor) {
  connect(&list, &RecordListWidget::rowChosen, this, [this] { logic_.LoadCurrentRecord(); });
  connect(&editor, &QPlainTextEdit::textChanged, this, [this] { logic_.OnEditorChange(); });
  connect(&timer, &QTimer::timeout, this, [this] { logic_.RefreshRecordStatus(); });
  editor.installEventFilter(this);
}

bool RecordEditorBinding::eventFilter(QObject* watched, QEvent* event) {
  if (watched != &editor_) return false;
  if (event->type() == QEvent::KeyPress) {
    // Seen before the editor inserts anything.
    return logic_.OnEditorKeyDown(WindowsVirtualKey(*static_cast<QKeyEvent*>(event)));
  } else if (event->type() == QEvent::FocusIn) {
    // Getting the window back, or closing a pop-up menu over the editor, is
    // not a new visit to the editor and keeps the caret where it was.
    const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
    if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) {
      logic_.OnEditorFocus();
    }
  }
  return false;
}

}  // namespace tavorin
