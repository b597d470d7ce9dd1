// The program the end-to-end test types into: one text field at a fixed
// place. Every change of its text is written whole to the file named on the
// command line, and every key it receives is listed in "<file>.keys", both
// replaced atomically so the test never reads half a file. Once the window
// is on screen it prints "ready X Y" with the field's centre in screen pixels.

#include <QApplication>
#include <QKeyEvent>
#include <QKeySequence>
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

class KeyLog : public QObject {
 public:
  explicit KeyLog(QString path) : path_(std::move(path)) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::KeyPress) {
      const auto* key = static_cast<QKeyEvent*>(event);
      keys_ << QKeySequence(key->key()).toString();
      WriteWhole(path_, keys_.join('\n'));
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  QString path_;
  QStringList keys_;
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
  window.setWindowTitle(QStringLiteral("tavorin x11 target"));
  auto* layout = new QVBoxLayout(&window);
  auto* edit = new QPlainTextEdit(&window);
  layout->addWidget(edit);
  window.setGeometry(200, 150, 600, 400);

  KeyLog keyLog(output + QStringLiteral(".keys"));
  edit->installEventFilter(&keyLog);
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
