#pragma once

#include <string_view>

namespace tavorin {

// How unlikely a text is as what a Chinese-speaking user keeps in a list:
// the sum over its characters of a rough cost (in bits) of meeting each.
// Common Chinese characters and punctuation, ASCII, and accented letters
// inside Latin words are cheap; rare characters, other scripts, controls and
// private-use characters are dear. Of two readings of the same bytes, the
// cheaper one is the likelier.
long Implausibility(std::u16string_view text);

}  // namespace tavorin
