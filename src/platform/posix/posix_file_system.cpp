// The list files' system calls on Linux and other POSIX systems.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <filesystem>

#include "core/interfaces/file_system.h"

namespace tavorin {
namespace {

FileError FromErrno(int error) {
  switch (error) {
    case ENOENT:
    case ENOTDIR:
    case ENAMETOOLONG: return FileError::kNotFound;
    case EEXIST: return FileError::kExists;
    case EACCES:
    case EPERM: return FileError::kNoPermission;
    case EROFS:
    case ETXTBSY: return FileError::kReadOnly;
    case ENOSPC:
    case EDQUOT:
    case EFBIG: return FileError::kDiskFull;
    case EISDIR: return FileError::kNotAFile;
    default: return FileError::kFailed;
  }
}

// File names are bytes here; the program's UTF-16 names go out as UTF-8.
bool NativePath(const std::u16string& path, std::string& native) {
  try {
    native = std::filesystem::path(path).native();
    return !native.empty();
  } catch (const std::exception&) {
    return false;  // a name that is no text (a lone surrogate) names no file
  }
}

std::u16string ProgramPath(const std::string& native) {
  try {
    return std::filesystem::path(native).u16string();
  } catch (const std::exception&) {
    return {};
  }
}

class PosixFile : public WritableFile {
 public:
  explicit PosixFile(int fd) : fd_(fd) {}
  ~PosixFile() override {
    if (fd_ >= 0) ::close(fd_);
  }

  FileError Write(std::string_view bytes) override {
    while (!bytes.empty()) {
      const ssize_t written = ::write(fd_, bytes.data(), bytes.size());
      if (written < 0) {
        if (errno == EINTR) continue;
        return FromErrno(errno);
      }
      bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return FileError::kNone;
  }

  FileError Commit() override {
    const off_t end = ::lseek(fd_, 0, SEEK_CUR);
    if (end < 0 || ::ftruncate(fd_, end) != 0 || ::fsync(fd_) != 0) return FromErrno(errno);
    return FileError::kNone;
  }

  FileError Close() override {
    const int fd = fd_;
    fd_ = -1;
    return ::close(fd) == 0 ? FileError::kNone : FromErrno(errno);
  }

 private:
  int fd_;
};

OpenedFile Open(const std::u16string& path, int flags) {
  OpenedFile opened;
  std::string native;
  if (!NativePath(path, native)) {
    opened.error = FileError::kNotFound;
    return opened;
  }
  const int fd = ::open(native.c_str(), flags | O_WRONLY | O_CLOEXEC, 0666);
  if (fd < 0) {
    opened.error = FromErrno(errno);
  } else {
    opened.file = std::make_unique<PosixFile>(fd);
  }
  return opened;
}

// Makes a rename into the folder survive a crash.
void SyncFolderOf(const std::string& path) {
  const std::string folder = std::filesystem::path(path).parent_path().native();
  const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

class PosixFileSystem : public FileSystem {
 public:
  FileError ReadAll(const std::u16string& path, std::string& bytes) override {
    std::string native;
    if (!NativePath(path, native)) return FileError::kNotFound;
    struct stat facts {};
    if (::stat(native.c_str(), &facts) != 0) return FromErrno(errno);
    // Reading a pipe or a device could block or never end.
    if (!S_ISREG(facts.st_mode)) return FileError::kNotAFile;
    const int fd = ::open(native.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) return FromErrno(errno);
    bytes.clear();
    bytes.reserve(static_cast<std::size_t>(facts.st_size));
    char buffer[64 * 1024];
    FileError error = FileError::kNone;
    for (;;) {
      const ssize_t got = ::read(fd, buffer, sizeof buffer);
      if (got > 0) {
        bytes.append(buffer, static_cast<std::size_t>(got));
      } else if (got == 0) {
        break;
      } else if (errno != EINTR) {
        error = FileError::kFailed;
        break;
      }
    }
    ::close(fd);
    return error;
  }

  FileFacts Inspect(const std::u16string& path) override {
    FileFacts facts;
    std::string native;
    struct stat status {};
    if (!NativePath(path, native) || ::stat(native.c_str(), &status) != 0) return facts;
    facts.kind = S_ISREG(status.st_mode) ? FileFacts::Kind::kFile : FileFacts::Kind::kOther;
    facts.readOnly = (status.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
    if (::access(native.c_str(), W_OK) != 0) {
      facts.writable = false;
      facts.readOnly = facts.readOnly || errno == EROFS;
    }
    facts.linkCount = static_cast<std::uint32_t>(status.st_nlink);
    struct stat link {};
    if (::lstat(native.c_str(), &link) == 0 && S_ISLNK(link.st_mode)) {
      if (char* real = ::realpath(native.c_str(), nullptr)) {
        facts.realPath = ProgramPath(real);
        std::free(real);
      }
    }
    return facts;
  }

  OpenedFile CreateNew(const std::u16string& path) override {
    return Open(path, O_CREAT | O_EXCL);
  }

  OpenedFile OpenInPlace(const std::u16string& path) override { return Open(path, 0); }

  FileError Replace(const std::u16string& from, const std::u16string& to) override {
    std::string nativeFrom;
    std::string nativeTo;
    if (!NativePath(from, nativeFrom) || !NativePath(to, nativeTo)) return FileError::kNotFound;
    struct stat old {};
    if (::stat(nativeTo.c_str(), &old) == 0) {
      struct stat created {};
      if (::stat(nativeFrom.c_str(), &created) != 0) return FromErrno(errno);
      if ((created.st_uid != old.st_uid || created.st_gid != old.st_gid) &&
          ::chown(nativeFrom.c_str(), old.st_uid, old.st_gid) != 0) {
        return errno == EPERM ? FileError::kCannotKeepOwner : FromErrno(errno);
      }
      // After the owner: giving a file away may clear its set-id bits.
      if (::chmod(nativeFrom.c_str(), old.st_mode & 07777) != 0) return FromErrno(errno);
    }
    if (::rename(nativeFrom.c_str(), nativeTo.c_str()) != 0) return FromErrno(errno);
    SyncFolderOf(nativeTo);
    return FileError::kNone;
  }

  FileError Remove(const std::u16string& path) override {
    std::string native;
    if (!NativePath(path, native)) return FileError::kNotFound;
    return ::unlink(native.c_str()) == 0 ? FileError::kNone : FromErrno(errno);
  }
};

}  // namespace

FileSystem& SystemFileSystem() {
  static PosixFileSystem files;
  return files;
}

}  // namespace tavorin
