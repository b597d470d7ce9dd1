#pragma once

#include <QPushButton>
#include <initializer_list>
#include <utility>

#include "qt/qt_file_dialogs.h"
#include "qt/qt_message_boxes.h"

namespace tavorin {

// The logic behind a page's file buttons with its message boxes, living as
// long as the window. `Logic` takes the given controls, then the form's file
// dialogs and the message boxes.
template <typename Logic>
class FileButtonsLogic : public QObject {
 public:
  template <typename... Controls>
  explicit FileButtonsLogic(QWidget& form, Controls&... controls)
      : QObject(&form), messages(&form), logic(controls..., QtFileDialogs::Of(form), messages) {}

  QtMessageBoxes messages;
  Logic logic;
};

// Connects each named button of the form to a command of `logic`; the
// connections end with `context`.
template <typename Logic>
void ConnectButtons(QWidget& form, QObject* context, Logic& logic,
                    std::initializer_list<std::pair<const char*, void (Logic::*)()>> buttons) {
  for (const auto& [name, command] : buttons) {
    QObject::connect(form.findChild<QPushButton*>(name), &QPushButton::clicked, context,
                     [&logic, command = command] { (logic.*command)(); });
  }
}

}  // namespace tavorin
