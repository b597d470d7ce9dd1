#pragma once

namespace tavorin {

class Form1;

// Connects "启动" to the run controller. Whatever state the binding keeps
// lives in QObjects parented to the form, so it ends with the window.
void BindRunControls(Form1& form);

}  // namespace tavorin
