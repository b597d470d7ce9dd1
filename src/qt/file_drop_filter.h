#pragma once

#include <QObject>
#include <functional>
#include <string>
#include <vector>

class QAbstractItemView;

namespace tavorin {

// Takes file drops on a list away from the list itself, which would try to
// insert rows, and hands the dropped paths, in drop order, to `onDrop`.
class FileDropFilter : public QObject {
  Q_OBJECT

 public:
  using Handler = std::function<void(const std::vector<std::u16string>&)>;

  static void Install(QAbstractItemView& list, Handler onDrop);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  FileDropFilter(QObject* parent, Handler onDrop) : QObject(parent), onDrop_(std::move(onDrop)) {}

  Handler onDrop_;
};

}  // namespace tavorin
