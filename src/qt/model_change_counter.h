#pragma once

#include <QObject>
#include <cstdint>

#include "core/run/run_controls.h"

class QAbstractItemModel;

namespace tavorin {

// Counts every change of an item model: item data (texts, check marks), rows
// added, removed or moved, resets and re-sorts. Whoever keeps something
// derived from the model compares counts instead of walking the items.
class ModelChangeCounter : public ChangeCounter {
 public:
  explicit ModelChangeCounter(QAbstractItemModel& model);
  std::uint64_t Changes() const override { return changes_; }

 private:
  QObject context_;  // ends the connections with the counter
  std::uint64_t changes_ = 0;
};

}  // namespace tavorin
