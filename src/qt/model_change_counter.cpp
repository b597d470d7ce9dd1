#include "qt/model_change_counter.h"

#include <QAbstractItemModel>

namespace tavorin {

ModelChangeCounter::ModelChangeCounter(QAbstractItemModel& model) {
  const auto bump = [this] { ++changes_; };
  QObject::connect(&model, &QAbstractItemModel::dataChanged, &context_, bump);
  QObject::connect(&model, &QAbstractItemModel::rowsInserted, &context_, bump);
  QObject::connect(&model, &QAbstractItemModel::rowsRemoved, &context_, bump);
  QObject::connect(&model, &QAbstractItemModel::rowsMoved, &context_, bump);
  QObject::connect(&model, &QAbstractItemModel::modelReset, &context_, bump);
  QObject::connect(&model, &QAbstractItemModel::layoutChanged, &context_, bump);
}

}  // namespace tavorin
