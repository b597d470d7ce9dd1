#pragma once

#include "core/interfaces/controls.h"

class QLabel;

namespace tavorin {

// The label operations over a QLabel. A label that is sized to its text
// grows with a longer caption instead of cutting it off.
class QtLabel : public Label {
 public:
  QtLabel(QLabel& label, bool sizedToText);

  std::u16string Caption() const override;
  void SetCaption(const std::u16string& caption) override;

 private:
  QLabel& label_;
  bool sizedToText_;
};

}  // namespace tavorin
