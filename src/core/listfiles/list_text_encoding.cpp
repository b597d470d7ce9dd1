#include "core/listfiles/list_text_encoding.h"

#include <iconv.h>

#include <cerrno>
#include <cstdint>

namespace tavorin {
namespace {

constexpr char16_t kEuro = u'\u20AC';
// The one single-byte character of the GBK code page 936 that GB18030 moved:
// Windows writes the euro sign as 0x80, GB18030 as A2 E3.
constexpr unsigned char kGbkEuroByte = 0x80;
constexpr char16_t kReplacement = u'\uFFFD';

bool IsContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

void AppendCodePoint(std::u16string& out, char32_t code) {
  if (code < 0x10000) {
    out += static_cast<char16_t>(code);
  } else {
    code -= 0x10000;
    out += static_cast<char16_t>(0xD800 + (code >> 10));
    out += static_cast<char16_t>(0xDC00 + (code & 0x3FF));
  }
}

// Strict UTF-8: no overlong forms, no surrogates, nothing past U+10FFFF.
std::optional<std::u16string> DecodeUtf8(std::string_view bytes) {
  std::u16string out;
  out.reserve(bytes.size());
  for (std::size_t i = 0; i < bytes.size();) {
    const auto lead = static_cast<unsigned char>(bytes[i]);
    int length = 0;
    char32_t code = 0;
    char32_t minimum = 0;
    if (lead < 0x80) {
      out += static_cast<char16_t>(lead);
      ++i;
      continue;
    } else if ((lead & 0xE0) == 0xC0) {
      length = 2, code = lead & 0x1F, minimum = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
      length = 3, code = lead & 0x0F, minimum = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
      length = 4, code = lead & 0x07, minimum = 0x10000;
    } else {
      return std::nullopt;
    }
    if (i + length > bytes.size()) return std::nullopt;
    for (int k = 1; k < length; ++k) {
      const auto next = static_cast<unsigned char>(bytes[i + k]);
      if (!IsContinuation(next)) return std::nullopt;
      code = (code << 6) | (next & 0x3F);
    }
    if (code < minimum || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
      return std::nullopt;
    }
    AppendCodePoint(out, code);
    i += length;
  }
  return out;
}

// A lone surrogate cannot be encoded anywhere; it becomes U+FFFD.
std::string EncodeUtf8(std::u16string_view text) {
  std::string out;
  out.reserve(text.size() * 3);
  for (std::size_t i = 0; i < text.size(); ++i) {
    char32_t code = text[i];
    if (code >= 0xD800 && code <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
        text[i + 1] <= 0xDFFF) {
      code = 0x10000 + ((code - 0xD800) << 10) + (text[++i] - 0xDC00);
    } else if (code >= 0xD800 && code <= 0xDFFF) {
      code = kReplacement;
    }
    if (code < 0x80) {
      out += static_cast<char>(code);
    } else if (code < 0x800) {
      out += static_cast<char>(0xC0 | (code >> 6));
      out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
      out += static_cast<char>(0xE0 | (code >> 12));
      out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
      out += static_cast<char>(0xF0 | (code >> 18));
      out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
      out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (code & 0x3F));
    }
  }
  return out;
}

std::u16string DecodeUtf16(std::string_view bytes, bool bigEndian) {
  std::u16string out;
  out.reserve(bytes.size() / 2);
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
    const auto first = static_cast<unsigned char>(bytes[i]);
    const auto second = static_cast<unsigned char>(bytes[i + 1]);
    out += static_cast<char16_t>(bigEndian ? (first << 8) | second : (second << 8) | first);
  }
  return out;
}

// Converts between UTF-8 and GB18030 with the C library's iconv. When
// reading, a lone 0x80 is code page 936's euro sign.
std::optional<std::string> Convert(std::string_view in, const char* to, const char* from,
                                   bool gbkEuroByte) {
  const iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
  std::string out(in.size() * 2 + 16, '\0');
  char* inPtr = const_cast<char*>(in.data());
  std::size_t inLeft = in.size();
  std::size_t used = 0;
  bool ok = true;
  for (;;) {
    char* outPtr = out.data() + used;
    std::size_t outLeft = out.size() - used;
    const std::size_t result = inLeft == 0 ? iconv(cd, nullptr, nullptr, &outPtr, &outLeft)
                                           : iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
    used = out.size() - outLeft;
    if (result != static_cast<std::size_t>(-1)) {
      if (inLeft == 0) break;
      continue;
    }
    if (errno == E2BIG || out.size() - used < 4) {
      out.resize(out.size() * 2);
      continue;
    }
    if (errno == EILSEQ && gbkEuroByte && static_cast<unsigned char>(*inPtr) == kGbkEuroByte) {
      out.replace(used, 3, "\xE2\x82\xAC");
      used += 3;
      ++inPtr;
      --inLeft;
      continue;
    }
    ok = false;  // not text in this encoding, or cut off at the end
    break;
  }
  iconv_close(cd);
  if (!ok) return std::nullopt;
  out.resize(used);
  return out;
}

bool StartsWith(std::string_view bytes, std::string_view mark) {
  return bytes.substr(0, mark.size()) == mark;
}

}  // namespace

std::optional<std::u16string> DecodeListFileBytes(std::string_view bytes) {
  if (StartsWith(bytes, "\xEF\xBB\xBF")) return DecodeUtf8(bytes.substr(3));
  if (StartsWith(bytes, "\xFF\xFE") || StartsWith(bytes, "\xFE\xFF")) {
    if (bytes.size() % 2 != 0) return std::nullopt;
    return DecodeUtf16(bytes.substr(2), bytes[0] == '\xFE');
  }
  if (auto text = DecodeUtf8(bytes)) return text;
  const auto utf8 = Convert(bytes, "UTF-8", "GB18030", true);
  if (!utf8) return std::nullopt;
  return DecodeUtf8(*utf8);
}

std::optional<std::string> EncodeListFileText(std::u16string_view text) {
  std::string out;
  // The euro sign goes out as code page 936 writes it; the rest in runs.
  std::size_t start = 0;
  for (std::size_t i = 0; i <= text.size(); ++i) {
    if (i < text.size() && text[i] != kEuro) continue;
    const std::string run = EncodeUtf8(text.substr(start, i - start));
    // GB18030 covers all of Unicode; only a missing converter fails here.
    const auto bytes = Convert(run, "GB18030", "UTF-8", false);
    if (!bytes) return std::nullopt;
    out += *bytes;
    if (i < text.size()) out += static_cast<char>(kGbkEuroByte);
    start = i + 1;
  }
  return out;
}

}  // namespace tavorin
