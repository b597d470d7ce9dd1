#pragma once

#include "core/interfaces/controls.h"
#include "core/interfaces/list_box.h"
#include "core/interfaces/message_boxes.h"

namespace tavorin {

// The four buttons of the replacement word frame over List2, Text1 and Text2.
class ReplacementWords {
 public:
  ReplacementWords(ListBox& pairs, TextBox& oldText, TextBox& newText, MessageBoxes& messages);

  void Add();     // "添加"
  void Delete();  // "删除"
  void Clear();   // "清空"
  void Edit();    // "编辑"

 private:
  ListBox& pairs_;
  TextBox& oldText_;
  TextBox& newText_;
  MessageBoxes& messages_;
};

}  // namespace tavorin
