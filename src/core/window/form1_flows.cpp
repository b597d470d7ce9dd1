#include "core/window/form1_flows.h"

namespace tavorin {

Form1Flows::Form1Flows(const Form1Parts& parts)
    : windows_(parts.windows),
      stacking_(parts.stacking),
      recordEditor_(parts.list1, parts.text6, parts.label9, parts.messages),
      replacementWords_(parts.list2, parts.text1, parts.text2, parts.messages),
      records_(parts.list1, parts.text6, recordEditor_, parts.fileDialogs, parts.messages),
      actions_(parts.list3, parts.fileDialogs, parts.messages),
      entry_(parts.list3, parts.windows, parts.stacking, parts.messages),
      clicks_{
          {"Command1", [this] { replacementWords_.Add(); }},
          {"Command2", [this] { replacementWords_.Delete(); }},
          {"Command3", [this] { replacementWords_.Clear(); }},
          {"Command4", [this] { replacementWords_.Edit(); }},
          {"Command5", [this] { records_.ImportRecordFile(); }},
          {"Command13", [this] { records_.ExportRecordFile(); }},
          {"Command11", [this] { records_.SelectAllRecords(); }},
          {"Command12", [this] { records_.SelectNoRecords(); }},
          {"Command14", [this] { records_.AddRecord(); }},
          {"Command15", [this] { records_.DeleteCurrentRecord(); }},
          {"Command8", [this] { actions_.ImportActionFile(); }},
          {"Command9", [this] { actions_.ExportActionFile(); }},
          {"Command10", [this] { actions_.ClearActionList(); }},
          {"Command6(0)", [this] { entry_.AddAction(0); }},
          {"Command6(1)", [this] { entry_.AddAction(1); }},
          {"Command6(2)", [this] { entry_.AddAction(2); }},
          {"Command6(3)", [this] { entry_.AddAction(3); }},
          {"Command6(4)", [this] { entry_.AddAction(4); }},
          {"Command6(5)", [this] { entry_.AddAction(5); }},
      } {}

bool Form1Flows::HandlesClick(std::string_view name) const { return clicks_.contains(name); }

void Form1Flows::Click(std::string_view name) {
  const auto flow = clicks_.find(name);
  if (flow != clicks_.end()) flow->second();
}

void Form1Flows::DoubleClick(std::string_view name) {
  if (name == "List3") actions_.DeleteCurrentAction();
}

void Form1Flows::DropFiles(std::string_view name, const std::vector<std::u16string>& files) {
  if (name == "List1") records_.LoadDroppedRecordFile(files);
  if (name == "List3") actions_.LoadDroppedActionFile(files);
}

void Form1Flows::MainWindowShown() { stacking_.MakeTopmost(windows_.MainWindow()); }

void Form1Flows::MainWindowClosing() { stacking_.MakeNotTopmost(windows_.MainWindow()); }

}  // namespace tavorin
