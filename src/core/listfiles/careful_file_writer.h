#pragma once

#include <string>
#include <string_view>

#include "core/interfaces/file_system.h"

namespace tavorin {

struct CarefulWrite {
  FileError error = FileError::kNone;
  bool hadOldFile = false;
  // Only after a failure: the old file could not be put back as it was.
  bool oldFileChanged = false;
  // Only then: a copy of the old content, when the folder allowed one.
  std::u16string oldContentCopy;
};

// Writes `bytes` as the whole content of the file at `path` without ever
// losing the old file. A file marked read-only or not writable for this user
// is refused. The bytes normally go to a new file beside the target that
// takes its place once complete (keeping the old file's permissions and
// owner). Where that would break hard links or change the owner, or where
// the folder takes no new file, the file is written in place; a failure
// then puts the old content back, from a copy beside it where the folder
// allows one. Symbolic links are followed, not replaced.
CarefulWrite WriteFileCarefully(FileSystem& files, const std::u16string& path,
                                std::string_view bytes);

}  // namespace tavorin
