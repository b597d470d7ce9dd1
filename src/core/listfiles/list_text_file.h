#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/interfaces/file_system.h"
#include "core/interfaces/list_box.h"

namespace tavorin {

// The one file format of record files and action files: one item per line,
// CR LF after every item. When reading, a CR ends a line (a LF right after
// it belongs to the line end, any other LF is an ordinary character), except
// in a file without any CR, where each LF ends a line; blank lines are
// skipped.

enum class ListFileError {
  kNone,
  kNotFound,
  kNotAFile,    // a folder or a special file
  kCannotOpen,  // no permission, or the system refused
  kReadFailed,  // the system failed partway through
  kNotText,     // bytes that are no text in the file's encoding
  kReadOnly,
  kNoPermission,
  kDiskFull,
  kCannotWrite,  // any other reason
};

// Blank: nothing left once spaces, tabs and ideographic spaces are trimmed.
bool IsBlankLine(std::u16string_view line);

// The non-blank lines of a file's text, each exactly as it stands.
std::vector<std::u16string> SplitListLines(std::u16string_view text);

struct ListFileLines {
  ListFileError error = ListFileError::kNone;
  std::vector<std::u16string> lines;
};
ListFileLines ReadListFile(const std::u16string& path, FileSystem& files = SystemFileSystem());

struct ListLoad {
  ListFileError error = ListFileError::kNone;
  int lineCount = 0;  // non-blank lines in the file
  int leftOut = 0;    // of those, how many did not fit into the list
};
// Replaces the items of `list` by the lines of the file, but only once the
// whole file has been read: on any failure the list stays as it was. Each
// item is flagged as it is appended when `flagEach` is set.
ListLoad ReadLinesIntoList(const std::u16string& path, ListBox& list, bool flagEach = false,
                           FileSystem& files = SystemFileSystem());

struct ListSave {
  ListFileError error = ListFileError::kNone;
  bool hadOldFile = false;
  // After a failure only: the old file is no longer as it was, and where a
  // copy of its content is, if the folder allowed one.
  bool oldFileChanged = false;
  std::u16string oldContentCopy;
};
// Writes every item as one line, never losing the old file of that name on
// a failure; see WriteFileCarefully.
ListSave WriteListLines(const std::u16string& path, const ListBox& list,
                        FileSystem& files = SystemFileSystem());

// True when the path ends in ".txt" in any letter case.
bool IsTxtPath(std::u16string_view path);

}  // namespace tavorin
