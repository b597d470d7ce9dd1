#include "core/listfiles/list_file_transfer.h"

#include <gtest/gtest.h>

#include "core/interfaces/memory_list_box.h"
#include "fake_controls.h"
#include "fake_file_dialogs.h"
#include "fake_message_boxes.h"
#include "memory_file_system.h"

namespace tavorin {
namespace {

using testing::MemoryFileSystem;

// The export's failure message names the reason, and says the old file is
// untouched only when there was one and it is.
TEST(ListFileTransferTest, FailedExportSaysWhyAndWhatBecameOfTheOldFile) {
  struct Case {
    bool oldFile;
    bool readOnly;
    bool folderWritable;
    long spaceLeft;
    int inPlaceOpensLeft;
    std::u16string message;
  };
  const std::u16string start = u"无法写入文件“list.txt”：";
  const Case cases[] = {
      {true, true, true, 1000, 9, start + u"文件是只读的。原有的同名文件未作改动。"},
      {false, false, false, 1000, 9, start + u"没有写入权限。"},
      {true, false, true, 3, 9, start + u"磁盘已满。原有的同名文件未作改动。"},
      {false, false, true, 3, 9, start + u"磁盘已满。"},
      {true, false, false, 3, 1, start + u"磁盘已满。原有的同名文件已被部分改写。"},
  };
  for (const Case& c : cases) {
    MemoryFileSystem files;
    if (c.oldFile) {
      files.files[u"list.txt"].bytes = "old";
      files.files[u"list.txt"].readOnly = c.readOnly;
    }
    files.folderWritable = c.folderWritable;
    files.spaceLeft = c.spaceLeft;
    files.inPlaceOpensLeft = c.inPlaceOpensLeft;
    MemoryListBox list;
    testing::Fill(list, {u"new record"});
    testing::FakeFileDialogs dialogs;
    dialogs.saveAnswers = {u"list.txt"};
    testing::FakeMessageBoxes messages;
    ListFileTransfer(list, dialogs, messages, false, files).Export();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, c.message);
    EXPECT_EQ(messages.shown[0].caption, u"错误");
  }
}

}  // namespace
}  // namespace tavorin
