#include "core/listfiles/careful_file_writer.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "core/interfaces/memory_list_box.h"
#include "core/listfiles/list_file_transfer.h"
#include "fake_file_dialogs.h"
#include "fake_message_boxes.h"
#include "memory_file_system.h"
#include "recording_platform.h"
#include "temp_folder.h"

#ifndef _WIN32
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#endif

namespace tavorin {
namespace {

namespace fs = std::filesystem;
using testing::MemoryFileSystem;
using testing::TempFolder;

// The message an export of one record to "list.txt" shows; empty when none.
std::u16string ExportMessage(MemoryFileSystem& files) {
  MemoryListBox list;
  list.AddItem(u"new content");
  testing::FakeFileDialogs dialogs;
  dialogs.saveAnswers = {u"list.txt"};
  testing::FakeMessageBoxes messages;
  ListFileTransfer(list, dialogs, messages, false, files).Export();
  return messages.shown.empty() ? u"" : messages.shown.back().text;
}

// What the writer does in each situation, on files in memory: which way it
// writes, what it leaves, what it reports; and what an export says then,
// naming the reason, and that the old file is untouched only when there was
// one and it is.
TEST(CarefulFileWriterTest, EachSituation) {
  const MemoryFileSystem::Entry plain{"old"}, readOnly{"old", true}, notMine{"old", false, false},
      linked{"old", false, true, 2}, foreignOwner{"old", false, true, 1, false};
  const std::u16string kept = u"原有的同名文件未作改动。";
  // Content is the target's afterwards, message what follows "无法写入文件“list.txt”：".
  const struct {
    const char* situation; std::optional<MemoryFileSystem::Entry> old; bool folderWritable; long spaceLeft;
    FileError error; std::string content; int replacements; std::u16string message;
  } cases[] = {
      {"new file", {}, true, 1000, FileError::kNone, "new content", 1, u""},
      {"replaced", plain, true, 1000, FileError::kNone, "new content", 1, u""},
      {"read-only", readOnly, true, 1000, FileError::kReadOnly, "old", 0, u"文件是只读的。" + kept},
      {"no permission", notMine, true, 1000, FileError::kNoPermission, "old", 0, u"没有写入权限。" + kept},
      {"hard links: in place", linked, true, 1000, FileError::kNone, "new content", 0, u""},
      {"owner: in place", foreignOwner, true, 1000, FileError::kNone, "new content", 0, u""},
      {"folder refuses: in place", plain, false, 1000, FileError::kNone, "new content", 0, u""},
      {"folder refuses a new file", {}, false, 1000, FileError::kNoPermission, "", 0, u"没有写入权限。"},
      {"disk full", plain, true, 5, FileError::kDiskFull, "old", 0, u"磁盘已满。" + kept},
      {"disk full, no old file", {}, true, 5, FileError::kDiskFull, "", 0, u"磁盘已满。"},
      {"disk full, in place", linked, true, 8, FileError::kDiskFull, "old", 0, u"磁盘已满。" + kept},
      {"disk full, in place, copying", linked, true, 2, FileError::kDiskFull, "old", 0, u"磁盘已满。" + kept},
      {"disk full, no copy", plain, false, 5, FileError::kDiskFull, "old", 0, u"磁盘已满。" + kept},
  };
  for (const auto& c : cases) {
    MemoryFileSystem files;
    if (c.old) files.files[u"list.txt"] = *c.old;
    files.folderWritable = c.folderWritable;
    files.spaceLeft = c.spaceLeft;
    MemoryFileSystem exportFiles = files;
    SCOPED_TRACE(c.situation);
    const CarefulWrite result = WriteFileCarefully(files, u"list.txt", "new content");
    EXPECT_EQ(std::tuple(result.error, result.hadOldFile, result.oldFileChanged, files.replacements),
              std::tuple(c.error, c.old.has_value(), false, c.replacements));
    EXPECT_EQ(files.files[u"list.txt"].bytes, c.content);
    files.files.erase(u"list.txt");
    EXPECT_TRUE(files.files.empty()) << "something left beside the file";
    EXPECT_EQ(ExportMessage(exportFiles), c.message.empty() ? u"" : u"无法写入文件“list.txt”：" + c.message);
  }
  MemoryFileSystem readOnlyDisk;  // a file that is not there is not what is read-only
  readOnlyDisk.diskReadOnly = true;
  EXPECT_EQ(ExportMessage(readOnlyDisk), u"无法写入文件“list.txt”：所在的磁盘是只读的，不能新建文件。");
  // When even putting the old content back fails, the result says so, and
  // where the copy of the old content is when the folder allowed one.
  for (const bool folderWritable : {true, false}) {
    MemoryFileSystem files;
    files.files[u"list.txt"] = {"old", false, true, 2};
    files.folderWritable = folderWritable;
    files.spaceLeft = 8;
    files.inPlaceOpensLeft = 1;
    MemoryFileSystem exportFiles = files;
    const CarefulWrite result = WriteFileCarefully(files, u"list.txt", "a much longer text");
    EXPECT_EQ(std::pair(result.error, result.oldFileChanged), std::pair(FileError::kDiskFull, true));
    EXPECT_EQ(result.oldContentCopy.starts_with(u".~tavorin"), folderWritable);
    EXPECT_EQ(result.oldContentCopy.empty() ? "old" : files.files[result.oldContentCopy].bytes, "old");
    const std::u16string message = ExportMessage(exportFiles);
    EXPECT_TRUE(message.starts_with(u"无法写入文件“list.txt”：磁盘已满。原有的同名文件已被部分改写")) << testing::ToUtf8(message);
    EXPECT_EQ(message.find(u".~tavorin") != std::u16string::npos, folderWritable);
  }
}

// On every system: names outside any code page, an existing file never
// created over, and a read-only file refused, even for root, who could
// write it. On POSIX systems the old file's mode, owner and hard links are
// kept, a symbolic link stays one, and a failed write keeps the old file.
TEST(CarefulFileWriterOnDiskTest, KeepsWhatTheOldFileWasAndRefusesWhatItMustNotWrite) {
  TempFolder folder;
  FileSystem& files = SystemFileSystem();
  const auto write = [&](const char* name, const std::string& bytes) {
    return WriteFileCarefully(files, folder.Name(name), bytes);
  };
  EXPECT_EQ(write("한국어 中文 😀.txt", "first\r\n").error, FileError::kNone);
  EXPECT_TRUE(write("한국어 中文 😀.txt", "second\r\n").hadOldFile);
  EXPECT_EQ(files.CreateNew(folder.Name("한국어 中文 😀.txt")).error, FileError::kExists);
  fs::permissions(folder.Path("한국어 中文 😀.txt"), fs::perms::owner_read);
  EXPECT_EQ(write("한국어 中文 😀.txt", "third").error, FileError::kReadOnly);
  EXPECT_EQ(folder.Read("한국어 中文 😀.txt"), "second\r\n");
  EXPECT_EQ(folder.FileCount(), 1);
#ifndef _WIN32
  folder.Write("list.txt", "old old old\r\n");
  fs::permissions(folder.Path("list.txt"), fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  const uid_t owner = testing::RunningAsRoot() ? 12345 : ::getuid();
  ASSERT_EQ(::chown(folder.Path("list.txt").c_str(), owner, testing::RunningAsRoot() ? 12345 : -1), 0);
  EXPECT_EQ(write("list.txt", "new\r\n").error, FileError::kNone);
  EXPECT_EQ(folder.Read("list.txt"), "new\r\n");
  struct stat facts {};
  ASSERT_EQ(::stat(folder.Path("list.txt").c_str(), &facts), 0);
  EXPECT_EQ(facts.st_mode & 07777, 0640u);
  EXPECT_EQ(facts.st_uid, owner);
  fs::create_hard_link(folder.Path("list.txt"), folder.Path("other name.txt"));
  fs::create_symlink(folder.Path("list.txt"), folder.Path("link.txt"));
  EXPECT_EQ(write("link.txt", "newer\r\n").error, FileError::kNone);
  EXPECT_TRUE(fs::is_symlink(folder.Path("link.txt")));
  EXPECT_EQ(folder.Read("other name.txt"), "newer\r\n");
  // A write that fails partway (here: the file size limit, which holds for
  // root too) leaves the old file and nothing beside it, by either way.
  folder.Write("plain.txt", "old\r\n");
  rlimit saved{};
  getrlimit(RLIMIT_FSIZE, &saved);
  const auto previous = std::signal(SIGXFSZ, SIG_IGN);
  const rlimit small{4096, saved.rlim_max};
  setrlimit(RLIMIT_FSIZE, &small);
  const CarefulWrite replaced = write("plain.txt", std::string(64 * 1024, 'x'));
  const CarefulWrite inPlace = write("list.txt", std::string(64 * 1024, 'x'));
  setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, previous);
  for (const CarefulWrite& r : {replaced, inPlace}) {
    EXPECT_EQ(std::tuple(r.error, r.hadOldFile, r.oldFileChanged), std::tuple(FileError::kDiskFull, true, false));
  }
  EXPECT_EQ(folder.Read("plain.txt") + folder.Read("other name.txt"), "old\r\nnewer\r\n");
  EXPECT_EQ(folder.FileCount(), 5);
#endif
}

}  // namespace
}  // namespace tavorin
