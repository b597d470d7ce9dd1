#pragma once

// A fixture for runs started with "启动" on the real main window, with the
// real X11 input layer, against the sample form in another process under a
// window manager on Xvfb.

#include <QApplication>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>

#include "target_program_test.h"
#include "qt/form1.h"
#include "qt/form1_controls.h"
#include "qt/run_badge.h"

namespace tavorin::testing {

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
        if (box != waiting_) {
          waiting_ = box;
          waitingSince_.start();
        } else if (waitingSince_.elapsed() > 3000) {
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

  QStringList texts;
  QStringList unfocused;  // boxes that never got the focus

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

class FormRunTest : public TargetProgramTest {
 protected:
  void SetUp() override {
    TargetProgramTest::SetUp();
    if (HasFatalFailure()) return;
    clickLine_ = QStringLiteral("点击位置 %1 %2").arg(field_.x()).arg(field_.y());
    form_.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form_));
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
  // Presses "启动"; returns once the run is over.
  qint64 Start() {
    QElapsedTimer timer;
    timer.start();
    QTest::mouseClick(form_.findChild<QPushButton*>(QStringLiteral("Command7")), Qt::LeftButton);
    const qint64 elapsed = timer.elapsed();
    EXPECT_TRUE(QTest::qWaitFor([this] { return boxes_.Idle(); })) << "xdotool did not end";
    return elapsed;
  }
  RunBadge* Badge() {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
      if (auto* badge = qobject_cast<RunBadge*>(widget)) return badge;
    }
    return nullptr;
  }
  QString WaitForText(const QString& expected) {
    QTest::qWaitFor([&] { return ReadUtf8(output_) == expected; }, 10000);
    return ReadUtf8(output_);
  }

  QString clickLine_;
  Form1 form_;
  BoxAnswerer boxes_;
};

}  // namespace tavorin::testing
