#pragma once

#include <QObject>

class QPlainTextEdit;
class QTimer;

namespace tavorin {

class RecordEditor;
class RecordListWidget;

// Forwards the events of the record list, its editor and the status timer to
// the RecordEditor, which holds every rule about them.
class RecordEditorBinding : public QObject {
  Q_OBJECT

 public:
  RecordEditorBinding(RecordEditor& logic, RecordListWidget& list, QPlainTextEdit& editor,
                      QTimer& timer, QObject* parent = nullptr);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  RecordEditor& logic_;
  QPlainTextEdit& editor_;
};

}  // namespace tavorin
