#pragma once

#include <windows.h>

#include <chrono>
#include <string>

namespace tavorin {

// The clipboard as plain Unicode text (CF_UNICODETEXT). Another program may
// hold the clipboard open for a moment, so opening it is retried for up to
// `patience`. Each call returns false when the clipboard stayed locked that
// long (it is then untouched) or the system refused the text.
// `owner` is the window that owns the clipboard after a change. A text set
// here carries the markers that keep it out of clipboard history and cloud
// sync: the records a run enters are often personal.
bool EmptyClipboardWaiting(HWND owner, std::chrono::milliseconds patience);
bool SetClipboardTextWaiting(HWND owner, const std::u16string& text,
                             std::chrono::milliseconds patience);

}  // namespace tavorin
