#include "core/listfiles/gb18030_codec.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "core/listfiles/gb18030_tables.h"
#include "core/listfiles/unicode_text.h"

namespace tavorin {
namespace {

using gb18030::FourByteRun;

constexpr char32_t kEuro = 0x20AC;
constexpr unsigned char kEuroByte = 0x80;
// Four-byte codes from 90 30 81 30 on stand for U+10000 onwards, in order.
constexpr unsigned kSupplementaryIndex = (((0x90 - 0x81) * 10) * 126) * 10;

std::span<const FourByteRun> RunsByCodePoint() {
  return {gb18030::kFourByteRuns, gb18030::kFourByteRunCount};
}

const std::vector<FourByteRun>& RunsByIndex() {
  static const std::vector<FourByteRun> runs = [] {
    std::vector<FourByteRun> sorted(RunsByCodePoint().begin(), RunsByCodePoint().end());
    std::sort(sorted.begin(), sorted.end(),
              [](const FourByteRun& a, const FourByteRun& b) { return a.firstIndex < b.firstIndex; });
    return sorted;
  }();
  return runs;
}

struct TwoByteCodes {
  std::vector<std::uint16_t> bmp = std::vector<std::uint16_t>(0x10000, 0);
  std::vector<std::pair<char32_t, std::uint16_t>> supplementary;
};

const TwoByteCodes& CodesByCharacter() {
  static const TwoByteCodes codes = [] {
    TwoByteCodes built;
    for (std::size_t i = 0; i < gb18030::kTwoByteCodeCount; ++i) {
      const char32_t c = gb18030::kTwoByteCodePoints[i];
      if (c == 0) continue;
      const auto lead = static_cast<unsigned>(0x81 + i / gb18030::kTrailsPerLead);
      const auto position = static_cast<unsigned>(i % gb18030::kTrailsPerLead);
      const unsigned trail = position < 0x3F ? 0x40 + position : 0x41 + position;
      const auto code = static_cast<std::uint16_t>(lead << 8 | trail);
      if (c < 0x10000) {
        built.bmp[c] = code;
      } else {
        built.supplementary.emplace_back(c, code);
      }
    }
    return built;
  }();
  return codes;
}

// 0 when the index is no character's code.
char32_t FourByteCodePoint(unsigned index) {
  if (index >= kSupplementaryIndex) {
    const char32_t c = 0x10000 + (index - kSupplementaryIndex);
    return c <= 0x10FFFF ? c : 0;
  }
  const auto& runs = RunsByIndex();
  auto after = std::upper_bound(runs.begin(), runs.end(), index,
                                [](unsigned i, const FourByteRun& run) { return i < run.firstIndex; });
  if (after == runs.begin()) return 0;
  const FourByteRun& run = *(after - 1);
  return index - run.firstIndex < run.count ? run.firstCodePoint + (index - run.firstIndex) : 0;
}

// The four-byte index of a character, or nothing.
std::optional<unsigned> FourByteIndex(char32_t c) {
  if (c >= 0x10000) return kSupplementaryIndex + (c - 0x10000);
  const auto runs = RunsByCodePoint();
  auto after = std::upper_bound(runs.begin(), runs.end(), c, [](char32_t value, const FourByteRun& run) {
    return value < run.firstCodePoint;
  });
  if (after == runs.begin()) return std::nullopt;
  const FourByteRun& run = *(after - 1);
  if (c - run.firstCodePoint >= run.count) return std::nullopt;
  return run.firstIndex + (c - run.firstCodePoint);
}

bool InRange(unsigned char byte, unsigned low, unsigned high) { return byte >= low && byte <= high; }

void AppendCharacter(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
    return;
  }
  if (c == kEuro) {
    out += static_cast<char>(kEuroByte);
    return;
  }
  if (const unsigned code = Gb18030TwoByteCode(c); code != 0) {
    out += static_cast<char>(code >> 8);
    out += static_cast<char>(code & 0xFF);
    return;
  }
  const std::optional<unsigned> index = FourByteIndex(c);
  if (!index) {
    out += '?';
    return;
  }
  unsigned rest = *index;
  std::array<char, 4> bytes{};
  bytes[3] = static_cast<char>(0x30 + rest % 10), rest /= 10;
  bytes[2] = static_cast<char>(0x81 + rest % 126), rest /= 126;
  bytes[1] = static_cast<char>(0x30 + rest % 10), rest /= 10;
  bytes[0] = static_cast<char>(0x81 + rest);
  out.append(bytes.data(), bytes.size());
}

}  // namespace

unsigned Gb18030TwoByteCode(char32_t c) {
  const TwoByteCodes& codes = CodesByCharacter();
  if (c < 0x10000) return codes.bmp[c];
  for (const auto& [character, code] : codes.supplementary) {
    if (character == c) return code;
  }
  return 0;
}

std::optional<std::u16string> DecodeGb18030(std::string_view bytes) {
  std::u16string out;
  out.reserve(bytes.size());
  for (std::size_t i = 0; i < bytes.size();) {
    const auto lead = static_cast<unsigned char>(bytes[i]);
    if (lead < 0x80) {
      out += static_cast<char16_t>(lead);
      ++i;
      continue;
    }
    if (lead == kEuroByte) {
      out += static_cast<char16_t>(kEuro);
      ++i;
      continue;
    }
    if (lead == 0xFF || i + 1 >= bytes.size()) return std::nullopt;
    const auto second = static_cast<unsigned char>(bytes[i + 1]);
    char32_t c = 0;
    if (InRange(second, 0x30, 0x39)) {
      if (i + 3 >= bytes.size()) return std::nullopt;
      const auto third = static_cast<unsigned char>(bytes[i + 2]);
      const auto fourth = static_cast<unsigned char>(bytes[i + 3]);
      if (!InRange(third, 0x81, 0xFE) || !InRange(fourth, 0x30, 0x39)) return std::nullopt;
      c = FourByteCodePoint((((lead - 0x81u) * 10 + (second - 0x30u)) * 126 + (third - 0x81u)) * 10 +
                            (fourth - 0x30u));
      i += 4;
    } else if (InRange(second, 0x40, 0x7E) || InRange(second, 0x80, 0xFE)) {
      const unsigned position = second < 0x7F ? second - 0x40u : second - 0x41u;
      c = gb18030::kTwoByteCodePoints[(lead - 0x81u) * gb18030::kTrailsPerLead + position];
      i += 2;
    }
    if (c == 0) return std::nullopt;
    AppendCodePoint(out, c);
  }
  return out;
}

std::string EncodeGb18030(std::u16string_view text) {
  std::string out;
  out.reserve(text.size() * 2);
  ForEachCodePoint(text, [&out](char32_t c) { AppendCharacter(out, IsSurrogate(c) ? U'?' : c); });
  return out;
}

}  // namespace tavorin
