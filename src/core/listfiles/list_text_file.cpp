#include "core/listfiles/list_text_file.h"

#include "core/listfiles/careful_file_writer.h"
#include "core/listfiles/list_text_encoding.h"

namespace tavorin {
namespace {

bool IsBlank(char16_t c) { return c == u' ' || c == u'\t' || c == u'\u3000'; }

ListFileError ReadError(FileError error) {
  switch (error) {
    case FileError::kNone: return ListFileError::kNone;
    case FileError::kNotFound: return ListFileError::kNotFound;
    case FileError::kNotAFile: return ListFileError::kNotAFile;
    case FileError::kReadOnly:
    case FileError::kNoPermission: return ListFileError::kCannotOpen;
    default: return ListFileError::kReadFailed;
  }
}

ListFileError WriteError(FileError error) {
  switch (error) {
    case FileError::kNone: return ListFileError::kNone;
    case FileError::kNotAFile: return ListFileError::kNotAFile;
    case FileError::kNotFound: return ListFileError::kNotFound;
    case FileError::kReadOnly: return ListFileError::kReadOnly;
    case FileError::kNoPermission: return ListFileError::kNoPermission;
    case FileError::kDiskFull: return ListFileError::kDiskFull;
    default: return ListFileError::kCannotWrite;
  }
}

}  // namespace

bool IsBlankLine(std::u16string_view line) {
  for (char16_t c : line) {
    if (!IsBlank(c)) return false;
  }
  return true;
}

std::vector<std::u16string> SplitListLines(std::u16string_view text) {
  // Files from editors that end lines with LF alone hold no CR at all.
  const char16_t lineEnd = text.find(u'\r') == std::u16string_view::npos ? u'\n' : u'\r';
  std::vector<std::u16string> lines;
  std::size_t start = 0;
  const auto keep = [&](std::size_t end) {
    const std::u16string_view line = text.substr(start, end - start);
    if (!IsBlankLine(line)) lines.emplace_back(line);
  };
  for (std::size_t i = text.find(lineEnd); i != std::u16string_view::npos;
       i = text.find(lineEnd, i + 1)) {
    keep(i);
    if (lineEnd == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
    start = i + 1;
  }
  if (start < text.size()) keep(text.size());
  return lines;
}

ListFileLines ReadListFile(const std::u16string& path, FileSystem& files) {
  ListFileLines result;
  std::string bytes;
  result.error = ReadError(path.empty() ? FileError::kNotFound : files.ReadAll(path, bytes));
  if (result.error != ListFileError::kNone) return result;
  const auto text = DecodeListFileBytes(bytes);
  if (!text) {
    result.error = ListFileError::kNotText;
    return result;
  }
  result.lines = SplitListLines(*text);
  return result;
}

ListLoad ReadLinesIntoList(const std::u16string& path, ListBox& list, bool flagEach,
                           FileSystem& files) {
  ListFileLines file = ReadListFile(path, files);
  ListLoad load;
  load.error = file.error;
  if (file.error != ListFileError::kNone) return load;
  load.lineCount = static_cast<int>(file.lines.size());
  list.Clear();
  for (std::size_t i = 0; i < file.lines.size(); ++i) {
    if (!list.AddItem(file.lines[i])) {
      load.leftOut = static_cast<int>(file.lines.size() - i);
      break;
    }
    if (flagEach) list.SetSelected(list.ListCount() - 1, true);
  }
  return load;
}

ListSave WriteListLines(const std::u16string& path, const ListBox& list, FileSystem& files) {
  std::u16string text;
  for (int i = 0; i < list.ListCount(); ++i) text += list.List(i) + u"\r\n";
  const CarefulWrite written = WriteFileCarefully(files, path, EncodeListFileText(text));
  ListSave save;
  save.error = WriteError(written.error);
  save.hadOldFile = written.hadOldFile;
  save.oldFileChanged = written.oldFileChanged;
  save.oldContentCopy = written.oldContentCopy;
  return save;
}

bool IsTxtPath(std::u16string_view path) {
  if (path.size() < 4) return false;
  std::u16string_view ending = path.substr(path.size() - 4);
  const std::u16string_view txt = u".TXT";
  for (int i = 0; i < 4; ++i) {
    const char16_t upper = ending[i] >= u'a' && ending[i] <= u'z' ? ending[i] - 32 : ending[i];
    if (upper != txt[i]) return false;
  }
  return true;
}

}  // namespace tavorin
