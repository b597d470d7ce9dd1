#pragma once

namespace tavorin {

class Form1;

// Each subsystem connects the buttons and list events of the main window that
// it serves. Whatever state a binding keeps lives in QObjects parented to the
// form, so it ends with the window.
void BindRunControls(Form1& form);     // "启动"
void BindRecordFiles(Form1& form);     // records page: import, export, select, add, delete
void BindActionList(Form1& form);      // action list: import, export, clear, delete, drops
void BindActionEntry(Form1& form);     // the six buttons that add an action line

}  // namespace tavorin
