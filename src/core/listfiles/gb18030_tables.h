#pragma once

#include <cstddef>

namespace tavorin::gb18030 {

// Two-byte codes: lead 0x81..0xFE, trail 0x40..0x7E or 0x80..0xFE, 190
// trails per lead. Code point of each, 0 where there is none.
inline constexpr std::size_t kTrailsPerLead = 190;
inline constexpr std::size_t kTwoByteCodeCount = 126 * kTrailsPerLead;
extern const char32_t kTwoByteCodePoints[kTwoByteCodeCount];

// Four-byte codes of BMP characters, counted from 81 30 81 30: each run
// gives `count` consecutive code points consecutive codes. Sorted by both.
struct FourByteRun {
  char32_t firstCodePoint;
  unsigned firstIndex;
  unsigned count;
};
extern const FourByteRun kFourByteRuns[];
extern const std::size_t kFourByteRunCount;

}  // namespace tavorin::gb18030
