#pragma once

#include <QObject>
#include <functional>
#include <memory>

#include "core/interfaces/platform.h"
#include "core/run/clock.h"
#include "core/run/run_controller.h"
#include "qt/qt_message_boxes.h"
#include "qt/qt_screens.h"

namespace tavorin {

class Form1;
class QtRunWindow;
class ModelChangeCounter;
class RunBadge;

// Connects "启动" to the run controller and supplies the controller with the
// window, message boxes, clock and input platform of the desktop.
class RunBinding : public QObject {
  Q_OBJECT

 public:
  using PlatformFactory = std::function<std::unique_ptr<Platform>()>;

  explicit RunBinding(Form1& form);
  ~RunBinding() override;

  // The input platform is made on the first run; tests hand in their own.
  void SetPlatformFactory(PlatformFactory factory);
  RunController& Controller() { return *controller_; }

 private:
  Platform* AcquirePlatform();

  Form1& form_;
  PlatformFactory factory_;
  std::unique_ptr<Platform> platform_;
  std::unique_ptr<QtRunWindow> window_;
  std::unique_ptr<ModelChangeCounter> recordChanges_;
  std::unique_ptr<RunControls> controls_;
  QtMessageBoxes boxes_;
  QtScreens screens_;
  std::unique_ptr<RunBadge> badge_;
  SystemClock clock_;
  std::unique_ptr<RunController> controller_;
};

}  // namespace tavorin
