#include "qt/run_binding.h"

#include <QApplication>
#include <QComboBox>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

#include <stdexcept>

#include "core/interfaces/desktop_platform.h"
#include "platform/x11/wayland_session.h"
#include "qt/form1.h"
#include "qt/form1_bindings.h"
#include "qt/form1_controls.h"
#include "qt/model_change_counter.h"
#include "qt/run_badge.h"

namespace tavorin {

class QtRunWindow : public RunWindow {
 public:
  explicit QtRunWindow(Form1& form)
      : form_(form),
        refreshYes_(*form.findChild<QRadioButton*>(QStringLiteral("Option1(0)"))),
        refreshKey_(*form.findChild<QComboBox*>(QStringLiteral("Combo1"))) {}

  void Hide() override {
    form_.hide();
    // The window must be off the screen before the first click lands where
    // it stood.
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    QGuiApplication::sync();
  }
  void Show() override {
    form_.show();
    form_.raise();
    form_.activateWindow();
  }
  bool RefreshBeforeCooldownChosen() const override { return refreshYes_.isChecked(); }
  int RefreshKeyListIndex() const override { return refreshKey_.currentIndex(); }

 private:
  Form1& form_;
  QRadioButton& refreshYes_;
  QComboBox& refreshKey_;
};

RunBinding::RunBinding(Form1& form)
    : QObject(&form),
      form_(form),
      factory_(MakeDesktopPlatform),
      window_(std::make_unique<QtRunWindow>(form)),
      boxes_(&form),
      badge_(std::make_unique<RunBadge>()) {
  setObjectName(QStringLiteral("RunBinding"));
  Form1Controls& c = form.controls();
  recordChanges_ = std::make_unique<ModelChangeCounter>(
      *form.findChild<QListWidget*>(QStringLiteral("List1"))->model());
  controls_ = std::make_unique<RunControls>(RunControls{
      c.list1, c.list2, c.list3, c.list4, c.text3, c.text4, c.text5, recordChanges_.get()});
  controller_ = std::make_unique<RunController>(*controls_, *window_, boxes_, clock_,
                                                [this] { return AcquirePlatform(); });
  controller_->SetRunFeedback(&screens_, badge_.get());
  // On XWayland the input reaches X11 windows only; the user is told before
  // the run, and why it stopped at a window it cannot fill.
  if (RunsUnderWayland()) {
    controller_->SetDesktopNotes(DesktopNotes{
        u"当前是 Wayland 桌面：只能填写 X11 程序的窗口。",
        u"该位置的窗口不是本程序在此桌面上可以填写的窗口（请让该程序在 X11/XWayland 下运行，或登录 X11 会话），"});
  }
  connect(form.findChild<QPushButton*>(QStringLiteral("Command7")), &QPushButton::clicked, this,
          [this] { controller_->Start(); });
}

RunBinding::~RunBinding() = default;

void RunBinding::SetPlatformFactory(PlatformFactory factory) {
  factory_ = std::move(factory);
  platform_.reset();
}

Platform* RunBinding::AcquirePlatform() {
  if (platform_ == nullptr) {
    try {
      platform_ = factory_();
    } catch (const std::exception& error) {
      boxes_.ShowError(std::u16string(kNoInputSimulationMessage) + QString::fromLocal8Bit(error.what()).toStdU16String());
      return nullptr;
    }
  }
  return platform_.get();
}

void BindRunControls(Form1& form) { new RunBinding(form); }

}  // namespace tavorin
