#pragma once

#include <QPushButton>
#include <initializer_list>
#include <utility>

namespace tavorin {

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
