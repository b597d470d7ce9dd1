#pragma once

#include <cstdint>

#include "core/interfaces/controls.h"
#include "core/interfaces/list_box.h"

namespace tavorin {

// Counts changes to the record list: texts, check marks, rows added, moved
// or removed. The pass list is rebuilt only when the count has moved, so a
// pass costs the same however many records there are.
class ChangeCounter {
 public:
  virtual ~ChangeCounter() = default;
  virtual std::uint64_t Changes() const = 0;
};

// The main window's controls that a run reads and writes.
struct RunControls {
  ListBox& list1;  // records; checked ones take part
  ListBox& list2;  // replacement pairs
  ListBox& list3;  // action lines
  ListBox& list4;  // pass list, rebuilt every pass
  TextBox& text3;  // count
  TextBox& text4;  // cooldown in seconds
  TextBox& text5;  // mirror of the expanded record text
  // Changes of list1; without one the pass list is rebuilt at every pass.
  const ChangeCounter* recordChanges = nullptr;
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
