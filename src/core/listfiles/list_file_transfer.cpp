#include "core/listfiles/list_file_transfer.h"

#include "core/listfiles/list_text_file.h"
#include "core/execution/number_rules.h"

namespace tavorin {
namespace {

std::u16string ReadFailure(const std::u16string& path, ListFileError error) {
  std::u16string reason;
  switch (error) {
    case ListFileError::kNotFound: reason = u"文件不存在"; break;
    case ListFileError::kNotAFile: reason = u"这不是一个普通文件"; break;
    case ListFileError::kCannotOpen: reason = u"无法打开（可能没有权限）"; break;
    case ListFileError::kReadFailed: reason = u"读取中途出错"; break;
    default: reason = u"其中有无法识别的字节"; break;
  }
  return u"无法读取文件“" + path + u"”：" + reason + u"。列表未作改动。";
}

std::u16string WriteFailure(const std::u16string& path, const ListSave& save) {
  std::u16string reason;
  switch (save.error) {
    case ListFileError::kReadOnly:
      // Without an old file, what refused is the medium it was to be made on.
      reason = save.hadOldFile ? u"文件是只读的" : u"所在的磁盘是只读的，不能新建文件";
      break;
    case ListFileError::kNoPermission: reason = u"没有写入权限"; break;
    case ListFileError::kDiskFull: reason = u"磁盘已满"; break;
    case ListFileError::kNotAFile: reason = u"这不是一个普通文件"; break;
    case ListFileError::kNotFound: reason = u"所在的文件夹不存在"; break;
    default: reason = u"系统拒绝写入"; break;
  }
  std::u16string text = u"无法写入文件“" + path + u"”：" + reason + u"。";
  if (!save.hadOldFile) return text;
  if (!save.oldFileChanged) return text + u"原有的同名文件未作改动。";
  if (save.oldContentCopy.empty()) return text + u"原有的同名文件已被部分改写。";
  return text + u"原有的同名文件已被部分改写，其原有内容保存在“" + save.oldContentCopy + u"”。";
}

}  // namespace

ListFileTransfer::ListFileTransfer(ListBox& list, FileDialogs& dialogs, MessageBoxes& messages,
                                   bool flagLoaded, FileSystem& files)
    : list_(list), dialogs_(dialogs), messages_(messages), flagLoaded_(flagLoaded), files_(files) {}

bool ListFileTransfer::Import() {
  const auto path = dialogs_.AskOpenPath();
  if (!path || path->empty()) return false;
  return Load(*path);
}

bool ListFileTransfer::LoadDropped(const std::vector<std::u16string>& files) {
  if (files.empty() || !IsTxtPath(files.front())) return false;
  return Load(files.front());
}

bool ListFileTransfer::Load(const std::u16string& path) {
  const ListLoad load = ReadLinesIntoList(path, list_, flagLoaded_, files_);
  if (load.error != ListFileError::kNone) {
    messages_.ShowError(ReadFailure(path, load.error));
    return false;
  }
  if (load.leftOut > 0) {
    const int loaded = load.lineCount - load.leftOut;
    messages_.Show(u"文件“" + path + u"”有 " + DecimalText(load.lineCount) + u" 行，列表最多容纳 " +
                       DecimalText(ListBox::kMaxListItems) + u" 项：只载入了前 " + DecimalText(loaded) +
                       u" 行，其余 " + DecimalText(load.leftOut) + u" 行未载入。",
                   u"提示", MessageIcon::kInformation, MessageButtons::kOk);
  }
  return true;
}

void ListFileTransfer::Export() {
  if (list_.ListCount() == 0) return;
  const auto path = dialogs_.AskSavePath();
  if (!path || path->empty()) return;
  const ListSave save = WriteListLines(*path, list_, files_);
  if (save.error != ListFileError::kNone) messages_.ShowError(WriteFailure(*path, save));
}

}  // namespace tavorin
