// A slow sample form, like a web page that reloads after each submission: a
// heading and one text field. Enter submits the field's text, which is added
// to the file named on the command line (one submission a line, the file
// replaced atomically), and the time it came, in ms since 1970, to
// "<file>.times". The form then shows a loading page for a random 0.1 to 2
// seconds, listed in "<file>.delays" as they really lasted (up to the form's
// being drawn again), and comes back empty with the focus in the field.
// While "<file>.stuck" exists, a submission's loading page never goes. Once
// the window is on screen it writes the screen area of the heading and the
// field, "X Y W H" in screen pixels, to "<file>.area", and prints "ready X Y"
// with the field's centre.

#include <QApplication>
#include <QDateTime>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QRandomGenerator>
#include <QSaveFile>
#include <QStackedWidget>
#include <QStringList>
#include <QTimer>
#include <QVBoxLayout>
#include <QWindow>

#include <cstdio>

namespace {

bool WriteWhole(const QString& path, const QString& text) {
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) return false;
  file.write(text.toUtf8());
  return file.commit();
}

// The widget's area in screen pixels.
QRect ScreenPixels(const QWidget& widget) {
  const qreal ratio = widget.devicePixelRatio();
  const QRect local = widget.rect();
  return QRect(widget.mapToGlobal(local.topLeft()) * ratio, local.size() * ratio);
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s OUTPUT_FILE\n", argv[0]);
    return 2;
  }
  const QString output = QString::fromLocal8Bit(argv[1]);

  QStackedWidget window;
  window.setWindowTitle(QStringLiteral("慢速表单"));
  auto* form = new QWidget;
  auto* layout = new QVBoxLayout(form);
  auto* heading = new QLabel(QStringLiteral("登记表：请填写姓名"));
  QFont large = heading->font();
  large.setPointSize(large.pointSize() * 2);
  heading->setFont(large);
  auto* field = new QLineEdit;
  layout->addWidget(heading);
  layout->addWidget(field);
  layout->addStretch();
  window.addWidget(form);
  window.addWidget(new QLabel(QStringLiteral("正在加载…")));
  window.setGeometry(200, 150, 600, 400);

  QStringList submissions, delays;
  QElapsedTimer loading;
  if (!WriteWhole(output, QString())) return 3;
  QStringList times;
  QObject::connect(field, &QLineEdit::returnPressed, [&] {
    submissions << field->text();
    WriteWhole(output, submissions.join('\n') + '\n');
    times << QString::number(QDateTime::currentMSecsSinceEpoch());
    WriteWhole(output + QStringLiteral(".times"), times.join('\n') + '\n');
    field->clear();
    window.setCurrentIndex(1);
    if (QFile::exists(output + QStringLiteral(".stuck"))) return;
    // What the delay really lasted, a late timer included, once it is over.
    loading.start();
    QTimer::singleShot(QRandomGenerator::global()->bounded(100, 2001), &window, [&] {
      window.setCurrentIndex(0);
      field->setFocus();
      window.repaint();
      delays << QString::number(loading.elapsed());
      WriteWhole(output + QStringLiteral(".delays"), delays.join('\n') + '\n');
    });
  });

  window.show();
  QTimer poll;
  QObject::connect(&poll, &QTimer::timeout, [&] {
    if (!window.windowHandle() || !window.windowHandle()->isExposed()) return;
    poll.stop();
    window.activateWindow();
    field->setFocus();
    const QRect area = ScreenPixels(*heading).united(ScreenPixels(*field));
    WriteWhole(output + QStringLiteral(".area"),
               QStringLiteral("%1 %2 %3 %4").arg(area.x()).arg(area.y()).arg(area.width()).arg(area.height()));
    const QPoint centre = ScreenPixels(*field).center();
    std::printf("ready %d %d\n", centre.x(), centre.y());
    std::fflush(stdout);
  });
  poll.start(20);
  return app.exec();
}
