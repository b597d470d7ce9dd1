#include "qt/file_drop_filter.h"

#include <QAbstractItemView>
#include <QDropEvent>
#include <QMimeData>
#include <QTimer>
#include <QUrl>

namespace tavorin {

void FileDropFilter::Install(QAbstractItemView& list, Handler onDrop) {
  // Drag and drop events go to the viewport of a scrolling list.
  QWidget* viewport = list.viewport();
  viewport->setAcceptDrops(true);
  viewport->installEventFilter(new FileDropFilter(viewport, std::move(onDrop)));
}

bool FileDropFilter::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop) {
    return QObject::eventFilter(watched, event);
  }
  auto* drop = static_cast<QDropEvent*>(event);
  if (drop->mimeData() == nullptr || !drop->mimeData()->hasUrls()) return false;
  drop->setDropAction(Qt::CopyAction);
  drop->accept();
  if (type == QEvent::Drop) {
    std::vector<std::u16string> files;
    // A non-local URL has no file name; it stays in place as an empty name
    // so that "the first file" still means the first thing dropped.
    for (const QUrl& url : drop->mimeData()->urls()) files.push_back(url.toLocalFile().toStdU16String());
    // Loaded once the drop is over: a message box opened inside it would
    // keep the dragging program waiting for its answer.
    QTimer::singleShot(0, this, [this, files] { onDrop_(files); });
  }
  return true;
}

}  // namespace tavorin
