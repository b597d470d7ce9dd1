#include "qt/ui_fonts.h"

#include <QStringList>

namespace tavorin {
namespace {

const QString kFamily = QStringLiteral("微软雅黑");

QFont MakeFont(qreal points) {
  QFont font(kFamily);
  font.setPointSizeF(points);
  font.setWeight(QFont::Normal);
  return font;
}

}  // namespace

void InstallUiFontSubstitutes() {
  QFont::insertSubstitutions(kFamily, {QStringLiteral("Microsoft YaHei"),
                                       QStringLiteral("Noto Sans CJK SC"),
                                       QStringLiteral("Source Han Sans SC"),
                                       QStringLiteral("WenQuanYi Micro Hei")});
}

QFont UiFont() { return MakeFont(9.0); }

QFont EditorFont() { return MakeFont(10.5); }

}  // namespace tavorin
