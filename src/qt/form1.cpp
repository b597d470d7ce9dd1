#include "qt/form1.h"

#include <QCloseEvent>
#include <QHideEvent>
#include <QShowEvent>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>

#include "qt/control_factory.h"
#include "qt/form1_bindings.h"
#include "qt/form1_builder.h"
#include "qt/form1_controls.h"
#include "qt/program_icon.h"
#include "qt/ui_fonts.h"

namespace tavorin {
namespace {

constexpr int kPlacementWaitMs = 1000;

}  // namespace

Form1::Form1(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint) {
  setObjectName(QString::fromUtf8(kForm1Name.data(), kForm1Name.size()));
  setWindowTitle(QString::fromUtf8(kForm1Caption.data(), kForm1Caption.size()));
  setWindowIcon(ProgramIcon());
  InstallUiFontSubstitutes();
  setFont(UiFont());
  setFixedSize(kOuterSize);

  BuildForm1Controls(*this);
  tabStrip_ = findChild<QTabWidget*>(QStringLiteral("TabStrip1"));
  for (int i = 0; i < kPageCount; ++i) {
    pages_[i] = findChild<QWidget*>(ArrayName("PicPage", i));
  }

  timer1_ = new QTimer(this);
  timer1_->setObjectName("Timer1");
  timer1_->setInterval(kStatusTimerMs);
  timer1_->start();

  controls_ = std::make_unique<Form1Controls>(*this);
  BindRunControls(*this);

  // A click on the tab that is already selected changes no index, yet still
  // switches (to the same page).
  connect(tabStrip_, &QTabWidget::currentChanged, this, &Form1::SwitchPage);
  connect(tabStrip_, &QTabWidget::tabBarClicked, this, &Form1::SwitchPage);
}

Form1::~Form1() = default;

void Form1::SwitchPage() {
  const int selected = tabStrip_->currentIndex();
  for (int i = 0; i < kPageCount; ++i) {
    if (i != selected) pages_[i]->hide();
  }
  if (selected >= 0 && selected < kPageCount) pages_[selected]->show();
}

void Form1::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (event->spontaneous()) return;  // restored from the task bar: still on top
  controls_->flows.MainWindowShown();
  FitOuterSize();
  // Mapped again after a run or the picker, the window manager may place
  // the window a frame's width off; it belongs where the user left it.
  returnTo_ = hiddenAt_;
  // A window manager that places it right sends no move at all; a later
  // move is the user's own.
  QTimer::singleShot(kPlacementWaitMs, this, [this] { returnTo_.reset(); });
}

void Form1::hideEvent(QHideEvent* event) {
  QWidget::hideEvent(event);
  if (!event->spontaneous()) hiddenAt_ = geometry().topLeft();
}

void Form1::moveEvent(QMoveEvent* event) {
  QWidget::moveEvent(event);
  if (returnTo_) {
    const QPoint offset = *returnTo_ - geometry().topLeft();
    returnTo_.reset();
    if (!offset.isNull()) move(pos() + offset);
  }
  // A window manager adds its frame after the window is first shown; the
  // outer size stays fixed, so the client area gives way.
  FitOuterSize();
}

void Form1::FitOuterSize() {
  const QSize frame = frameGeometry().size() - geometry().size();
  const QSize client = kOuterSize - frame;
  if (client != size() && client.isValid()) setFixedSize(client);
}

void Form1::closeEvent(QCloseEvent* event) {
  controls_->flows.MainWindowClosing();
  event->accept();
  emit closed();
}

}  // namespace tavorin
