#include "qt/run_badge.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QPainter>

#include "qt/qt_screens.h"
#include "qt/ui_fonts.h"

namespace tavorin {
namespace {

constexpr int kPadding = 8;
constexpr int kKeepOnTopMs = 250;
// Wide enough for any pass of any run.
const QString kWidestPass = QStringLiteral("第 2147483647/2147483647 次");

}  // namespace

RunBadge::RunBadge()
    : QWidget(nullptr, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                           Qt::WindowTransparentForInput | Qt::WindowDoesNotAcceptFocus) {
  setObjectName(QStringLiteral("RunBadge"));
  // Not the main window's title: scripts that look for that window by name
  // must not find the badge.
  setWindowTitle(QStringLiteral("执行进度"));
  setAttribute(Qt::WA_ShowWithoutActivating);
  setAttribute(Qt::WA_TransparentForMouseEvents);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setFocusPolicy(Qt::NoFocus);
  setFont(UiFont());
  const QFontMetrics metrics(font());
  setFixedSize(metrics.horizontalAdvance(kWidestPass) + 2 * kPadding, 3 * metrics.lineSpacing() + 2 * kPadding);
  keepOnTop_.setInterval(kKeepOnTopMs);
  connect(&keepOnTop_, &QTimer::timeout, this, [this] { raise(); });
}

ScreenSize RunBadge::BadgeSize() const {
  const qreal ratio = devicePixelRatioF();
  return {qCeil(width() * ratio), qCeil(height() * ratio)};
}

void RunBadge::Show(ScreenPoint topLeft, const std::u16string& stopHint) {
  stopHint_ = QString::fromStdU16String(stopHint);
  pass_.clear();
  record_.clear();
  move(ToQtPosition(topLeft));
  show();
  raise();
  keepOnTop_.start();
}

void RunBadge::SetPass(const std::u16string& text) {
  pass_ = QString::fromStdU16String(text);
  update();
}

void RunBadge::SetRecord(const std::u16string& text) {
  record_ = QString::fromStdU16String(text);
  update();
}

void RunBadge::Hide() {
  keepOnTop_.stop();
  hide();
  // Off the screen before the main window returns: nothing may find it
  // there afterwards, a screenshot included.
  QGuiApplication::sync();
}

void RunBadge::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), QColor(32, 32, 32));
  painter.setPen(QColor(96, 96, 96));
  painter.drawRect(rect().adjusted(0, 0, -1, -1));
  const QFontMetrics metrics(font());
  const int line = metrics.lineSpacing();
  const int textWidth = width() - 2 * kPadding;
  QRect row(kPadding, kPadding, textWidth, line);
  painter.setPen(Qt::white);
  painter.drawText(row, Qt::AlignLeft | Qt::AlignVCenter, pass_);
  row.translate(0, line);
  painter.drawText(row, Qt::AlignLeft | Qt::AlignVCenter, metrics.elidedText(record_, Qt::ElideRight, textWidth));
  row.translate(0, line);
  painter.setPen(QColor(200, 200, 200));
  painter.drawText(row, Qt::AlignLeft | Qt::AlignVCenter, stopHint_);
}

}  // namespace tavorin
