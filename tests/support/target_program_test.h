#pragma once

// A GoogleTest fixture that starts the sample form (TAVORIN_TARGET_WINDOW) in
// another process. The form writes what its text field holds to output_ and
// the events it sees to output_ + ".events"; field_ is the field's screen
// position, from the form's "ready X Y" line.
#include <gtest/gtest.h>

#include <QFile>
#include <QPoint>
#include <QProcess>
#include <QTemporaryDir>
#include <ostream>

// Readable failure messages: gtest finds this through QString's namespace.
inline void PrintTo(const QString& text, std::ostream* out) {
  *out << '"' << text.left(200).toStdString() << (text.size() > 200 ? "\"..." : "\"");
}

namespace tavorin::testing {

inline QString ReadUtf8(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return {};
  return QString::fromUtf8(file.readAll());
}

class TargetProgramTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir_.isValid());
    output_ = dir_.filePath(QStringLiteral("form.txt"));
    target_.setProgram(QStringLiteral(TAVORIN_TARGET_WINDOW));
    target_.setArguments({output_});
    target_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    target_.start();
    ASSERT_TRUE(target_.waitForStarted(10000)) << "the target program did not start";
    QByteArray line;
    for (int i = 0; i < 300 && !line.contains('\n'); ++i) {
      target_.waitForReadyRead(100);
      line += target_.readAll();
    }
    const QList<QByteArray> words = line.trimmed().split(' ');
    ASSERT_TRUE(words.size() == 3 && words[0] == "ready") << "target said: " << line.toStdString();
    field_ = QPoint(words[1].toInt(), words[2].toInt());
  }

  void TearDown() override {
    // A target that crashed would make every "nothing arrived" check pass.
    EXPECT_EQ(target_.state(), QProcess::Running) << "the target program died";
    target_.kill();
    target_.waitForFinished(5000);
  }

  QTemporaryDir dir_;
  QString output_;
  QProcess target_;
  QPoint field_;
};

}  // namespace tavorin::testing
