#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tavorin {

// Bytes of a list text file as text. A UTF-16 byte-order mark means UTF-16;
// a UTF-8 one means UTF-8 when the rest is UTF-8. Otherwise bytes that read
// both as UTF-8 and as GB18030 (which covers GBK) take the reading that looks
// more like text a Chinese-speaking user keeps, GB18030 when both look
// alike: being valid UTF-8 is no evidence, since short GBK texts often are.
// Nothing when the bytes are no text in any of these encodings.
std::optional<std::u16string> DecodeListFileBytes(std::string_view bytes);

// Text, ending in a line end, as GB18030 bytes: byte for byte what GBK
// writes for every character GBK has, so readers expecting GBK read the
// file, while characters outside GBK survive; a character without a code
// becomes "?". Where the bytes would read back as other text (they happen to
// look like likelier UTF-8), one more line, an ideographic space, makes them
// unmistakable; readers skip it as blank.
std::string EncodeListFileText(std::u16string_view text);

}  // namespace tavorin
