#pragma once

#include <string>

namespace tavorin {

struct ReplacementPair {
  std::u16string oldText;
  std::u16string newText;
};

// The stored form of a pair: old text, "->", new text, nothing trimmed.
std::u16string JoinReplacementPair(const std::u16string& oldText, const std::u16string& newText);
// Whether the item holds the arrow at all; items made by the program always do.
bool IsReplacementPair(const std::u16string& item);
// Old text before the first "->", new text after the last one.
ReplacementPair SplitReplacementPair(const std::u16string& item);

}  // namespace tavorin
