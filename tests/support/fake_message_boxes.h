#pragma once

#include <deque>
#include <string>
#include <vector>

#include "core/interfaces/message_boxes.h"

namespace tavorin::testing {

// Records every box shown and answers Yes/No boxes from a queue of answers;
// once the queue is empty it presses the default button, as Enter would.
class FakeMessageBoxes : public MessageBoxes {
 public:
  struct Shown {
    std::u16string text, caption;
    MessageIcon icon;
    MessageButtons buttons;
    MessageAnswer defaultAnswer;
  };

  using MessageBoxes::Show;
  MessageAnswer Show(const std::u16string& text, const std::u16string& caption, MessageIcon icon,
                     MessageButtons buttons, MessageAnswer defaultAnswer) override {
    shown.push_back({text, caption, icon, buttons, defaultAnswer});
    if (buttons == MessageButtons::kOk) return MessageAnswer::kOk;
    if (answers.empty()) return defaultAnswer;
    const MessageAnswer answer = answers.front();
    answers.pop_front();
    return answer;
  }

  std::vector<Shown> shown;
  std::deque<MessageAnswer> answers;
};

}  // namespace tavorin::testing
