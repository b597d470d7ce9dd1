#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "core/interfaces/platform.h"

struct _XDisplay;

namespace tavorin {

// The texts a run pastes, owned through Qt (which answers other programs'
// requests from the event loop) and watched in the order the server reports
// to Qt: whether the target fetched a pasted text from us, or someone else
// took the clipboard first, in which case the target pasted their text.
class X11Clipboard {
 public:
  // `display` is for round trips of our own; `stopped` ends any wait.
  X11Clipboard(_XDisplay* display, std::function<bool()> stopped);
  ~X11Clipboard();
  X11Clipboard(const X11Clipboard&) = delete;
  X11Clipboard& operator=(const X11Clipboard&) = delete;

  void Set(const std::u16string& text);
  void Clear();
  // Just before Ctrl+V goes out: a text of ours is put back if another
  // program took it, and watched from here until the target fetches it.
  void BeforePaste();
  // kClipboardLost once when a pasted text was not ours; at kPassEnd it
  // waits (serving events) until the last paste is settled or its hold over.
  DeliveryFault Fault(DeliveryCheck when);
  // The run is over: nothing it pasted is waited for any more.
  void Forget();

 private:
  class Watch;
  bool OwnedByUs() const;
  void CatchUp();
  void Take();
  void AwaitPaste();

  _XDisplay* display_;
  std::function<bool()> stopped_;
  unsigned long clipboard_ = 0;
  unsigned long syncProperty_ = 0;
  std::unique_ptr<Watch> watch_;
  std::optional<std::u16string> text_;
  std::chrono::steady_clock::time_point pasteAt_;
  bool faulted_ = false;  // a text went astray since the last check
};

}  // namespace tavorin
