#pragma once

// Helpers for Qt tests of the main window: the texts of a list, top-level
// widgets, and dialogs and message boxes answered as a user would.
#include <QtWidgets>
#include <QtTest>
#include <functional>
#include <type_traits>

#include "qt/form1.h"

namespace tavorin::testing {

inline QStringList ItemTexts(const QListWidget& list) {
  QStringList texts;
  for (int i = 0; i < list.count(); ++i) texts << list.item(i)->text();
  return texts;
}

// The main window's action list, line by line.
inline QStringList ActionLines(const Form1& form) { return ItemTexts(*form.findChild<QListWidget*>("List3")); }

// The first top-level widget of type T (a picker, a badge), or null.
template <typename T>
T* TopLevel() {
  for (QWidget* widget : QApplication::topLevelWidgets()) {
    if (auto* found = dynamic_cast<T*>(widget)) return found;
  }
  return nullptr;
}

// Runs `handle` on the next modal window of type T once it shows, from
// inside the loop that shows it, and closes it if `handle` left it open.
// Call it just before the step that opens the window. It watches by timer:
// a window opened deeper inside that step runs a loop of its own.
template <typename T = QDialog>
void OnNextModal(std::type_identity_t<std::function<void(T&)>> handle) {
  auto* timer = new QTimer;
  QTimer::singleShot(30000, timer, &QObject::deleteLater);  // none came
  QObject::connect(timer, &QTimer::timeout, [timer, handle = std::move(handle)] {
    auto* modal = qobject_cast<T*>(QApplication::activeModalWidget());
    if (modal == nullptr || !modal->isVisible()) return;
    timer->stop();
    timer->deleteLater();
    handle(*modal);
    if (modal->isVisible()) static_cast<QDialog*>(modal)->reject();
  });
  timer->start(20);
}

}  // namespace tavorin::testing
