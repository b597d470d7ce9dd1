#pragma once

#include <string>
#include <string_view>

#include "core/interfaces/list_box.h"
#include "core/interfaces/message_boxes.h"

namespace tavorin {

// The names the full-list message gives the lists.
inline constexpr std::u16string_view kRecordListName = u"文本数据列表";
inline constexpr std::u16string_view kActionListName = u"动作列表";
inline constexpr std::u16string_view kReplacementListName = u"替换词汇列表";

// What the user is told when an item cannot be added because the list
// already holds ListBox::kMaxListItems items.
std::u16string FullListMessage(std::u16string_view listName);

// Appends `text` to `list`. On a full list nothing is added, the user is told
// so in a box, and the result is false.
bool AppendOrSayFull(ListBox& list, std::u16string_view listName, const std::u16string& text,
                     MessageBoxes& messages);

}  // namespace tavorin
