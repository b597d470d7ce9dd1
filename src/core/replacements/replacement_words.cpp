#include "core/replacements/replacement_words.h"

#include "core/interfaces/full_list.h"
#include "core/replacements/replacement_pair.h"

namespace tavorin {

ReplacementWords::ReplacementWords(ListBox& pairs, TextBox& oldText, TextBox& newText,
                                   MessageBoxes& messages)
    : pairs_(pairs), oldText_(oldText), newText_(newText), messages_(messages) {}

void ReplacementWords::Add() {
  // A full list refuses the pair; the fields keep it so nothing typed is lost.
  if (!AppendOrSayFull(pairs_, kReplacementListName,
                       JoinReplacementPair(oldText_.Text(), newText_.Text()), messages_)) {
    return;
  }
  oldText_.SetText(std::u16string());
  newText_.SetText(std::u16string());
}

void ReplacementWords::Delete() {
  const int selected = pairs_.ListIndex();
  if (pairs_.ListCount() == 0 || selected < 0) return;
  // Removing the selected item leaves none selected.
  pairs_.RemoveItem(selected);
}

void ReplacementWords::Clear() {
  pairs_.Clear();
  oldText_.SetText(std::u16string());
  newText_.SetText(std::u16string());
}

void ReplacementWords::Edit() {
  const int selected = pairs_.ListIndex();
  if (pairs_.ListCount() == 0 || selected < 0) return;
  const ReplacementPair pair = SplitReplacementPair(pairs_.List(selected));
  oldText_.SetText(pair.oldText);
  newText_.SetText(pair.newText);
}

}  // namespace tavorin
