#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tavorin {

// Bytes of a list text file as text. A UTF-8 or UTF-16 byte-order mark
// decides the encoding and is dropped; a file that is valid UTF-8 throughout
// is UTF-8; anything else is GB18030, which reads every GBK file. Returns
// nothing when the bytes are no text in the encoding chosen.
std::optional<std::u16string> DecodeListFileBytes(std::string_view bytes);

// Text as GB18030 bytes: byte for byte what GBK writes for every character
// GBK has, so older readers expecting GBK still read the file, while
// characters outside GBK survive instead of turning into "?". Nothing when
// the C library offers no GB18030 converter.
std::optional<std::string> EncodeListFileText(std::u16string_view text);

}  // namespace tavorin
