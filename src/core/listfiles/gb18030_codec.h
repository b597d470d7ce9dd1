#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tavorin {

// GB18030 as the C library converts it, done here so that every system
// writes the same bytes. One addition keeps files exchangeable with code page
// 936 (GBK on Windows): the euro sign is the single byte 0x80 both ways.

// Nothing when the bytes are not GB18030 text throughout.
std::optional<std::u16string> DecodeGb18030(std::string_view bytes);

// Characters without a code (a lone surrogate, and the private-use
// characters whose codes GB18030 gave to other characters) become "?".
std::string EncodeGb18030(std::u16string_view text);

// The two-byte code of a character (lead byte high), 0 when it has none.
unsigned Gb18030TwoByteCode(char32_t c);

}  // namespace tavorin
