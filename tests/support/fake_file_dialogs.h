#pragma once

#include <deque>
#include <optional>
#include <string>

#include "core/interfaces/file_dialogs.h"

namespace tavorin::testing {

// Answers each dialog from a queue of paths; an empty queue, or an empty
// optional in it, is a cancel.
class FakeFileDialogs : public FileDialogs {
 public:
  std::optional<std::u16string> AskOpenPath() override { return Next(openAnswers); }
  std::optional<std::u16string> AskSavePath() override { return Next(saveAnswers); }

  std::deque<std::optional<std::u16string>> openAnswers, saveAnswers;

 private:
  static std::optional<std::u16string> Next(std::deque<std::optional<std::u16string>>& answers) {
    if (answers.empty()) return std::nullopt;
    auto answer = answers.front();
    answers.pop_front();
    return answer;
  }
};

}  // namespace tavorin::testing
