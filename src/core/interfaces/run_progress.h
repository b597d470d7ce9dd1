#pragma once

#include <string>

#include "core/interfaces/screens.h"

namespace tavorin {

// A small badge that shows how far a run has come while the main window is
// hidden. It stays above every other window, never takes the focus, lets the
// pointer through to the windows under it and costs a pass no time: an
// update only records the text, which is drawn while the run pauses.
class RunProgress {
 public:
  virtual ~RunProgress() = default;
  // The badge's size in screen pixels, so the run can choose its place.
  virtual ScreenSize BadgeSize() const = 0;
  // Shows the badge with its top-left corner at `topLeft`, holding
  // `stopHint` as its last line until it is hidden.
  virtual void Show(ScreenPoint topLeft, const std::u16string& stopHint) = 0;
  // The pass, such as "第 12/500 次".
  virtual void SetPass(const std::u16string& text) = 0;
  // The record being entered, on one line; the badge cuts it to its width.
  virtual void SetRecord(const std::u16string& text) = 0;
  // Takes the badge off the screen; it is gone once this returns.
  virtual void Hide() = 0;
};

}  // namespace tavorin
