#include "core/interfaces/full_list.h"

#include "core/execution/number_rules.h"

namespace tavorin {

std::u16string FullListMessage(std::u16string_view listName) {
  return std::u16string(listName) + u"已满：列表最多容纳 " + DecimalText(ListBox::kMaxListItems) +
         u" 项，这一项未添加。";
}

bool AppendOrSayFull(ListBox& list, std::u16string_view listName, const std::u16string& text,
                     MessageBoxes& messages) {
  if (list.AddItem(text)) return true;
  messages.Show(FullListMessage(listName), u"提示", MessageIcon::kInformation, MessageButtons::kOk);
  return false;
}

}  // namespace tavorin
