#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>

#include "core/interfaces/file_system.h"

namespace tavorin::testing {

// Files in memory, with the failures a real disk can have made to order:
// a folder that takes no new file, a disk that fills up, a file whose owner a
// replacement cannot keep. No folders: a path is just a name.
class MemoryFileSystem : public FileSystem {
 public:
  struct Entry {
    std::string bytes;
    bool readOnly = false;
    bool writable = true;
    std::uint32_t linkCount = 1;
    bool ownerKeepable = true;
  };

  std::map<std::u16string, Entry> files;
  bool folderWritable = true;
  bool diskReadOnly = false;  // no new file, whatever the folder allows
  std::int64_t spaceLeft = std::int64_t{1} << 40;  // bytes the disk takes before it is full
  int inPlaceOpensLeft = 1 << 30;  // then opening in place fails
  int replacements = 0;

  FileError ReadAll(const std::u16string& path, std::string& bytes) override {
    if (!files.contains(path)) return FileError::kNotFound;
    bytes = files[path].bytes;
    return FileError::kNone;
  }

  FileFacts Inspect(const std::u16string& path) override {
    if (!files.contains(path)) return {};
    const Entry& file = files[path];
    return {FileFacts::Kind::kFile, file.readOnly, file.writable, file.linkCount, {}};
  }

  OpenedFile CreateNew(const std::u16string& path) override {
    if (files.contains(path)) return {nullptr, FileError::kExists};
    if (diskReadOnly) return {nullptr, FileError::kReadOnly};
    if (!folderWritable) return {nullptr, FileError::kNoPermission};
    files[path];
    return {std::make_unique<File>(*this, path), FileError::kNone};
  }

  OpenedFile OpenInPlace(const std::u16string& path) override {
    if (!files.contains(path)) return {nullptr, FileError::kNotFound};
    if (!files[path].writable) return {nullptr, FileError::kNoPermission};
    if (inPlaceOpensLeft-- <= 0) return {nullptr, FileError::kFailed};
    return {std::make_unique<File>(*this, path), FileError::kNone};
  }

  FileError Replace(const std::u16string& from, const std::u16string& to) override {
    if (!files.contains(from)) return FileError::kNotFound;
    if (files.contains(to) && !files[to].ownerKeepable) return FileError::kCannotKeepOwner;
    Remove(to);  // its space is free again
    files[to] = files.extract(from).mapped();
    ++replacements;
    return FileError::kNone;
  }

  FileError Remove(const std::u16string& path) override {
    if (!files.contains(path)) return FileError::kNotFound;
    spaceLeft += std::ssize(files.extract(path).mapped().bytes);
    return FileError::kNone;
  }

  // Writes go straight into the entry, so a failure leaves what a real
  // disk would: the bytes that fitted.
  struct File : WritableFile {
    File(MemoryFileSystem& system, std::u16string path) : system_(system), path_(std::move(path)) {}
    FileError Write(std::string_view bytes) override {
      std::string& content = system_.files[path_].bytes;
      for (char byte : bytes) {
        if (position_ == content.size()) {  // the file grows by one byte
          if (system_.spaceLeft <= 0) return FileError::kDiskFull;
          --system_.spaceLeft;
          content += '\0';
        }
        content[position_++] = byte;
      }
      return FileError::kNone;
    }
    FileError Commit() override {
      std::string& content = system_.files[path_].bytes;
      system_.spaceLeft += static_cast<std::int64_t>(content.size() - position_);
      content.resize(position_);
      return FileError::kNone;
    }
    FileError Close() override { return FileError::kNone; }
    MemoryFileSystem& system_;
    std::u16string path_;
    std::size_t position_ = 0;
  };
};

}  // namespace tavorin::testing
