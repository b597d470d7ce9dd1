#pragma once

#include "core/interfaces/controls.h"
#include "core/interfaces/list_box.h"

namespace tavorin {

// The main window's controls that a run reads and writes.
struct RunControls {
  ListBox& list1;  // records; checked ones take part
  ListBox& list2;  // replacement pairs
  ListBox& list3;  // action lines
  ListBox& list4;  // pass list, rebuilt every pass
  TextBox& text3;  // count
  TextBox& text4;  // cooldown in seconds
  TextBox& text5;  // mirror of the expanded record text
};

// The main window itself, as the run controller sees it.
class RunWindow {
 public:
  virtual ~RunWindow() = default;
  virtual void Hide() = 0;
  virtual void Show() = 0;
  // "是" chosen under "冷却开始前刷新页面：".
  virtual bool RefreshBeforeCooldownChosen() const = 0;
  // List position in the refresh-key drop-down, -1 for none.
  virtual int RefreshKeyListIndex() const = 0;
};

}  // namespace tavorin
