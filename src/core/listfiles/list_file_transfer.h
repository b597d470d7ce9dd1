#pragma once

#include <string>
#include <vector>

#include "core/interfaces/file_dialogs.h"
#include "core/interfaces/file_system.h"
#include "core/interfaces/list_box.h"
#include "core/interfaces/message_boxes.h"

namespace tavorin {

// Loading a list from a file and saving it, as the record list and the action
// list both do. A load replaces the list only when the whole file was read;
// every failure is reported and leaves the list, or the old file, as it was.
class ListFileTransfer {
 public:
  // `flagLoaded`: every loaded item is flagged (records are checked).
  ListFileTransfer(ListBox& list, FileDialogs& dialogs, MessageBoxes& messages, bool flagLoaded,
                   FileSystem& files = SystemFileSystem());

  // Each returns true when the list was replaced.
  bool Import();
  // Only the first dropped file counts, and only when it is a .txt file.
  bool LoadDropped(const std::vector<std::u16string>& files);
  void Export();

 private:
  bool Load(const std::u16string& path);

  ListBox& list_;
  FileDialogs& dialogs_;
  MessageBoxes& messages_;
  bool flagLoaded_;
  FileSystem& files_;
};

}  // namespace tavorin
