#include "core/replacements/replacement_pair.h"

namespace tavorin {
namespace {
const std::u16string kArrow = u"->";
}

std::u16string JoinReplacementPair(const std::u16string& oldText, const std::u16string& newText) {
  return oldText + kArrow + newText;
}

bool IsReplacementPair(const std::u16string& item) { return item.find(kArrow) != std::u16string::npos; }

ReplacementPair SplitReplacementPair(const std::u16string& item) {
  const std::size_t first = item.find(kArrow);
  if (first == std::u16string::npos) {
    // Only hand-made items lack the arrow; treat the whole text as the old
    // text with nothing to put in its place.
    return {item, std::u16string()};
  }
  const std::size_t last = item.rfind(kArrow);
  return {item.substr(0, first), item.substr(last + kArrow.size())};
}

}  // namespace tavorin
