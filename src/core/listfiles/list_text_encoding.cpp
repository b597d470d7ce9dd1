#include "core/listfiles/list_text_encoding.h"

#include "core/listfiles/gb18030_codec.h"
#include "core/listfiles/text_plausibility.h"
#include "core/listfiles/unicode_text.h"

namespace tavorin {
namespace {

bool StartsWith(std::string_view bytes, std::string_view mark) {
  return bytes.substr(0, mark.size()) == mark;
}

// GB18030 for U+3000, and a line end: never UTF-8, and a blank line.
constexpr std::string_view kNotUtf8Line = "\xA1\xA1\r\n";

}  // namespace

std::optional<std::u16string> DecodeListFileBytes(std::string_view bytes) {
  if (StartsWith(bytes, "\xFF\xFE") || StartsWith(bytes, "\xFE\xFF")) {
    // Neither mark can begin GB18030 text.
    if (bytes.size() % 2 != 0) return std::nullopt;
    return DecodeUtf16(bytes.substr(2), bytes[0] == '\xFE');
  }
  if (StartsWith(bytes, "\xEF\xBB\xBF")) {
    if (auto text = DecodeUtf8(bytes.substr(3))) return text;
    return DecodeGb18030(bytes);  // text that begins with 锘 and a character from BF A1 on
  }
  std::optional<std::u16string> gb18030 = DecodeGb18030(bytes);
  std::optional<std::u16string> utf8 = DecodeUtf8(bytes);
  if (!gb18030 || !utf8) return gb18030 ? std::move(gb18030) : std::move(utf8);
  if (*gb18030 == *utf8) return gb18030;  // ASCII
  return Implausibility(*utf8) < Implausibility(*gb18030) ? std::move(utf8) : std::move(gb18030);
}

std::string EncodeListFileText(std::u16string_view text) {
  std::string bytes = EncodeGb18030(text);
  if (DecodeListFileBytes(bytes) != DecodeGb18030(bytes)) bytes += kNotUtf8Line;
  return bytes;
}

}  // namespace tavorin
