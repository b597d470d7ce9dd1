#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace tavorin {

// wchar_t is UTF-16 on Windows, so the core's texts pass through unchanged.
inline std::wstring ToWide(const std::u16string& text) { return {text.begin(), text.end()}; }
inline std::u16string FromWide(const std::wstring& text) { return {text.begin(), text.end()}; }

inline std::wstring Utf8ToWide(std::string_view text) {
  if (text.empty()) return {};
  const int size = static_cast<int>(text.size());
  std::wstring wide(static_cast<std::size_t>(MultiByteToWideChar(CP_UTF8, 0, text.data(), size, nullptr, 0)), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, text.data(), size, wide.data(), static_cast<int>(wide.size()));
  return wide;
}

inline std::u16string WindowText(HWND window) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return FromWide(text);
}

}  // namespace tavorin
