// The sample form that the demo fills and the end-to-end tests type into:
// one text field at a fixed place. Every change of its text is written whole
// to the file named on the command line, and every key press and mouse button
// press it receives is listed in "<file>.events", both replaced atomically so
// a reader never sees half a file. Once the window is on screen it prints
// "ready X Y" with the field's centre in screen pixels.

#include <QApplication>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMimeData>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QSaveFile>
#include <QStringList>
#include <QTimer>
#include <QVBoxLayout>
#include <QWidget>
#include <QWindow>

#include <cstdio>

namespace {

bool WriteWhole(const QString& path, const QString& text) {
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) return false;
  file.write(text.toUtf8());
  return file.commit();
}

class EventLog : public QObject {
 public:
  // Keys are taken from `keySource`, buttons from `mouseSource` only: a button
  // the viewport ignores travels on to the field and must not count twice.
  EventLog(QString path, QObject* keySource, QObject* mouseSource)
      : path_(std::move(path)), keySource_(keySource), mouseSource_(mouseSource) {
    keySource->installEventFilter(this);
    mouseSource->installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    QString entry;
    bool swallow = false;
    if (event->type() == QEvent::KeyPress && watched == keySource_) {
      entry = QStringLiteral("key ") + QKeySequence(static_cast<QKeyEvent*>(event)->key()).toString();
    } else if (watched == mouseSource_ && (event->type() == QEvent::MouseButtonPress ||
                                           event->type() == QEvent::MouseButtonDblClick)) {
      const bool twice = event->type() == QEvent::MouseButtonDblClick;
      const auto button = static_cast<QMouseEvent*>(event)->button();
      entry = QStringLiteral("%1 %2").arg(twice ? "double" : "press").arg(static_cast<int>(button));
    }
    if (watched == mouseSource_ && event->type() == QEvent::MouseButtonRelease) {
      // A middle click would paste the primary selection, which nobody owns.
      swallow = static_cast<QMouseEvent*>(event)->button() == Qt::MiddleButton;
    }
    if (!entry.isEmpty()) {
      entries_ << entry;
      WriteWhole(path_, entries_.join('\n'));
    }
    return swallow || QObject::eventFilter(watched, event);
  }

 private:
  QString path_;
  QObject* keySource_;
  QObject* mouseSource_;
  QStringList entries_;
};

// Takes plain text only. Qt 6.4's own paste crashes when the clipboard has
// no owner, which is exactly what one test arranges.
class TextField : public QPlainTextEdit {
 protected:
  bool canInsertFromMimeData(const QMimeData* source) const override {
    return source != nullptr && source->hasText();
  }
  void insertFromMimeData(const QMimeData* source) override {
    if (source != nullptr && source->hasText()) insertPlainText(source->text());
  }
};

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s OUTPUT_FILE\n", argv[0]);
    return 2;
  }
  const QString output = QString::fromLocal8Bit(argv[1]);

  QWidget window;
  window.setWindowTitle(QStringLiteral("示例表单"));
  auto* layout = new QVBoxLayout(&window);
  auto* edit = new TextField;
  layout->addWidget(edit);
  window.setGeometry(200, 150, 600, 400);

  // No context menu: it would grab the pointer after a right click.
  edit->setContextMenuPolicy(Qt::NoContextMenu);
  EventLog eventLog(output + QStringLiteral(".events"), edit, edit->viewport());
  QObject::connect(edit, &QPlainTextEdit::textChanged,
                   [&] { WriteWhole(output, edit->toPlainText()); });
  if (!WriteWhole(output, QString())) return 3;

  window.show();
  // Report only once the server shows the window; without a window manager
  // the window also has to take the focus itself.
  QTimer poll;
  QObject::connect(&poll, &QTimer::timeout, [&] {
    if (!window.windowHandle() || !window.windowHandle()->isExposed()) return;
    poll.stop();
    window.activateWindow();
    edit->setFocus();
    const qreal ratio = window.devicePixelRatio();
    const QPoint centre = edit->mapToGlobal(edit->rect().center()) * ratio;
    std::printf("ready %d %d\n", centre.x(), centre.y());
    std::fflush(stdout);
  });
  poll.start(20);
  return app.exec();
}
