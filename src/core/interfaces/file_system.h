#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace tavorin {

// Why a file operation failed, in the terms a user is told.
enum class FileError {
  kNone,
  kNotFound,
  kNotAFile,         // a folder, a device, a pipe
  kExists,           // an exclusive create met a file of that name
  kReadOnly,         // marked read-only, or on a read-only medium
  kNoPermission,
  kDiskFull,         // also: the file would pass the size the system allows
  kCannotKeepOwner,  // a replacement would change the file's owner
  kFailed,           // anything else the system reported
};

// What the list files need to know about a path before writing it.
struct FileFacts {
  enum class Kind { kMissing, kFile, kOther };
  Kind kind = Kind::kMissing;
  bool readOnly = false;  // marked so for everyone: no write bit, the read-only attribute
  bool writable = true;   // this process may open it for writing
  std::uint32_t linkCount = 1;
  std::u16string realPath;  // symbolic links followed, when there are any
};

// A file open for writing. Every call reports the first failure; after one,
// the file's content is undefined.
class WritableFile {
 public:
  virtual ~WritableFile() = default;
  // Appends at the current position.
  virtual FileError Write(std::string_view bytes) = 0;
  // Cuts the file at the current position and waits until it is on disk.
  virtual FileError Commit() = 0;
  virtual FileError Close() = 0;
};

struct OpenedFile {
  std::unique_ptr<WritableFile> file;  // null on failure
  FileError error = FileError::kNone;
};

// The few system calls the list file rules stand on; paths are UTF-16, as
// the front ends hand them over. One implementation per system.
class FileSystem {
 public:
  virtual ~FileSystem() = default;

  // The whole content of an ordinary file.
  virtual FileError ReadAll(const std::u16string& path, std::string& bytes) = 0;
  virtual FileFacts Inspect(const std::u16string& path) = 0;
  // A new, empty file; kExists and nothing touched when the name is taken.
  virtual OpenedFile CreateNew(const std::u16string& path) = 0;
  // An existing file, written from its start; nothing is cut until Commit.
  virtual OpenedFile OpenInPlace(const std::u16string& path) = 0;
  // Puts the file `from` in the place of `to`, which may not exist yet. An
  // existing `to` hands on its permissions and owner; when it cannot, the
  // result is kCannotKeepOwner and both files stay as they were.
  virtual FileError Replace(const std::u16string& from, const std::u16string& to) = 0;
  virtual FileError Remove(const std::u16string& path) = 0;
};

// The system's file system; the platform library of each system provides it.
FileSystem& SystemFileSystem();

}  // namespace tavorin
