#include "qt/ui_fonts.h"

#include <QStringList>

namespace tavorin {
namespace {

const QString kFamily = QString::fromUtf8(kUiFontFamily.data(), kUiFontFamily.size());

}  // namespace

void InstallUiFontSubstitutes() {
  QFont::insertSubstitutions(kFamily, {QStringLiteral("Microsoft YaHei"),
                                       QStringLiteral("Noto Sans CJK SC"),
                                       QStringLiteral("Source Han Sans SC"),
                                       QStringLiteral("WenQuanYi Micro Hei")});
}

QFont UiFont(double points) {
  QFont font(kFamily);
  font.setPointSizeF(points);
  font.setWeight(QFont::Normal);
  return font;
}

}  // namespace tavorin
