#include "qt/program_icon.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace tavorin {
namespace {

// A blue tile with a white pointer arrow over a text line: input replayed
// onto a form.
QPixmap DrawIcon(int size) {
  QPixmap pixmap(size, size);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  const qreal s = size;
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(0x1f, 0x6f, 0xc5));
  painter.drawRoundedRect(QRectF(0, 0, s, s), s / 6, s / 6);
  painter.setBrush(Qt::white);
  painter.drawRect(QRectF(s * 0.18, s * 0.70, s * 0.64, s * 0.10));
  QPainterPath arrow;
  arrow.moveTo(s * 0.30, s * 0.14);
  arrow.lineTo(s * 0.30, s * 0.60);
  arrow.lineTo(s * 0.42, s * 0.49);
  arrow.lineTo(s * 0.52, s * 0.64);
  arrow.lineTo(s * 0.60, s * 0.59);
  arrow.lineTo(s * 0.50, s * 0.45);
  arrow.lineTo(s * 0.65, s * 0.44);
  arrow.closeSubpath();
  painter.drawPath(arrow);
  return pixmap;
}

}  // namespace

QIcon ProgramIcon() {
  QIcon icon;
  for (int size : {16, 24, 32, 48}) icon.addPixmap(DrawIcon(size));
  return icon;
}

}  // namespace tavorin
