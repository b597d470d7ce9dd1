#pragma once

#include <deque>
#include <string>
#include <vector>

#include "core/interfaces/message_boxes.h"

namespace tavorin::testing {

// Records every box shown and answers Yes/No boxes from a queue of answers
// (Yes once the queue is empty).
class FakeMessageBoxes : public MessageBoxes {
 public:
  struct Shown {
    std::u16string text;
    std::u16string caption;
    MessageIcon icon;
    MessageButtons buttons;
  };

  MessageAnswer Show(const std::u16string& text, const std::u16string& caption, MessageIcon icon,
                     MessageButtons buttons) override {
    shown.push_back({text, caption, icon, buttons});
    if (buttons == MessageButtons::kOk) return MessageAnswer::kOk;
    if (answers.empty()) return MessageAnswer::kYes;
    const MessageAnswer answer = answers.front();
    answers.pop_front();
    return answer;
  }

  std::vector<Shown> shown;
  std::deque<MessageAnswer> answers;
};

}  // namespace tavorin::testing
