#pragma once

// A fixture for runs started with "启动" on the real main window, with the
// real X11 input layer, against the sample form (TAVORIN_TARGET_WINDOW) in
// another process under a window manager on Xvfb. The form writes what its
// text field holds to output_ and lists the events it sees (Events());
// field_ is the field's screen position, from the form's "ready X Y" line.
#include <gtest/gtest.h>

#include <QtWidgets>
#include <QtTest>
#include <functional>

#include "qt/form1.h"
#include "qt/form1_controls.h"
#include "qt/run_badge.h"
#include "qt_list_and_modal_helpers.h"

// Last: Xlib's macros (None among them) break the gtest and Qt headers.
#include "other_x_client.h"

namespace tavorin::testing {

inline QString ReadUtf8(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

// Answers every message box that comes up with a real Enter key press, as a
// user would, and keeps its text. The key goes out only once the window
// manager has given the box the focus, and again if it was lost.
class BoxAnswerer : public QObject {
 public:
  // Enter for every box but a question that lists faulty lines: "否" is its
  // default, and a user who wants the run all the same presses Y.
  static QStringList UsualKeys(const QString& text) {
    const bool listsFaults = text.startsWith(QStringLiteral("第 ")) && text.contains(QStringLiteral("继续吗？"));
    return QStringList{QStringLiteral("key"), listsFaults ? QStringLiteral("y") : QStringLiteral("Return")};
  }
  // The xdotool commands that answer a box with this text.
  std::function<QStringList(const QString&)> keysFor = UsualKeys;
  // Called once for each box when it has the focus, before it is answered.
  std::function<void(QMessageBox&)> onFocused;

  BoxAnswerer() {
    connect(&xdotool_, &QProcess::finished, this, [this] { since_.start(); });
    connect(&poll_, &QTimer::timeout, this, [this] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (box == nullptr || !box->isVisible()) return;
      if (!box->isActiveWindow()) {
        // A box nobody can answer with the keyboard would hang the run: it
        // is noted, then closed as a click on its default button would.
        if (box != waiting_) waitingSince_.start();
        waiting_ = box;
        if (waitingSince_.elapsed() > 3000) {
          unfocused << box->text();
          waiting_ = nullptr;
          if (QPushButton* button = box->defaultButton()) button->click();
        }
        return;
      }
      if (box != seen_) {
        seen_ = box;
        texts << box->text();
        if (onFocused) onFocused(*box);
        SendKeys(*box);
        return;
      }
      // Once the keys are out, a box still there a good while later lost them.
      if (Idle() && since_.elapsed() > 1500) SendKeys(*box);
    });
    poll_.start(50);
  }
  // No key of an answer is still on its way: it cannot reach what comes next.
  bool Idle() const { return xdotool_.state() == QProcess::NotRunning; }

  // The boxes' texts, and those of boxes that never got the focus.
  QStringList texts, unfocused;

 private:
  // Not waited for: the box must see the keys while they are still held.
  void SendKeys(QMessageBox& box) {
    xdotool_.start(QStringLiteral("xdotool"), keysFor(box.text()));
    since_.start();
  }

  QPointer<QMessageBox> waiting_;
  QElapsedTimer waitingSince_;
  QTimer poll_;
  QPointer<QMessageBox> seen_;  // boxes live on the stack: addresses repeat
  QElapsedTimer since_;
  QProcess xdotool_;
};

class FormRunTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir_.isValid());
    output_ = dir_.filePath(QStringLiteral("form.txt"));
    target_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    target_.start(targetProgram_, {output_});
    while (!target_.canReadLine() && target_.waitForReadyRead(30000)) {
    }
    const QByteArray line = target_.readLine();
    const QList<QByteArray> words = line.trimmed().split(' ');
    ASSERT_TRUE(words.size() == 3 && words[0] == "ready") << "the target program said: " << line.toStdString();
    field_ = QPoint(words[1].toInt(), words[2].toInt());
    ASSERT_NE(other_.display(), nullptr);
    clickLine_ = QStringLiteral("点击位置 %1 %2").arg(field_.x()).arg(field_.y());
    form_.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form_));
  }
  void TearDown() override {
    // A target that crashed would make every "nothing arrived" check pass.
    EXPECT_EQ(target_.state(), QProcess::Running) << "the target program died";
    target_.kill();
    target_.waitForFinished(5000);
  }

  void Records(const QStringList& texts, const QList<bool>& checked) {
    for (int i = 0; i < texts.size(); ++i) {
      form_.controls().list1.AddItem(texts[i].toStdU16String());
      form_.controls().list1.SetSelected(i, checked[i]);
    }
  }
  void Actions(const QStringList& lines) {
    for (const auto& line : lines) form_.controls().list3.AddItem(line.toStdU16String());
  }
  // The target's event log, each event on a line of its own.
  QString Events() const { return ReadUtf8(output_ + QStringLiteral(".events")) + '\n'; }
  // Presses "启动"; returns once the run is over.
  void Start() {
    QTest::mouseClick(form_.findChild<QPushButton*>(QStringLiteral("Command7")), Qt::LeftButton);
    EXPECT_TRUE(QTest::qWaitFor([this] { return boxes_.Idle(); })) << "xdotool did not end";
  }
  // The target's window as the window manager lists it; 0 if it does not.
  Window TargetWindow() { return other_.WaitForWindowOfProcess(target_.processId()); }
  // What the target's field holds once it holds `expected` (UTF-8), or
  // after ten seconds.
  std::string WaitForText(const std::string& expected) {
    std::string text;
    QTest::qWaitFor([&] { return (text = ReadUtf8(output_).toStdString()) == expected; }, 10000);
    return text;
  }

  // The target; a fixture of its own may name another program.
  QString targetProgram_ = QStringLiteral(TAVORIN_TARGET_WINDOW);
  QTemporaryDir dir_;
  QString output_;
  QProcess target_;
  QPoint field_;
  QString clickLine_;
  OtherClient other_;  // another program, or the user
  Form1 form_;
  BoxAnswerer boxes_;
};

}  // namespace tavorin::testing
