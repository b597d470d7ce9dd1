// The list files' system calls on Windows: wide-character paths throughout,
// so names outside the ANSI code page work.
#include <windows.h>

#include "core/interfaces/file_system.h"

namespace tavorin {
namespace {

std::wstring Wide(const std::u16string& path) { return std::wstring(path.begin(), path.end()); }

FileError FromError(DWORD error) {
  switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
    case ERROR_BAD_NETPATH:
    case ERROR_INVALID_DRIVE: return FileError::kNotFound;
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS: return FileError::kExists;
    case ERROR_ACCESS_DENIED: return FileError::kNoPermission;
    case ERROR_WRITE_PROTECT: return FileError::kReadOnly;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
    case ERROR_FILE_TOO_LARGE: return FileError::kDiskFull;
    case ERROR_DIRECTORY: return FileError::kNotAFile;
    default: return FileError::kFailed;
  }
}

FileError LastError() { return FromError(GetLastError()); }

class Handle {
 public:
  explicit Handle(HANDLE handle) : handle_(handle) {}
  ~Handle() { Close(); }
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }
  HANDLE get() const { return handle_; }
  bool Close() {
    const HANDLE handle = handle_;
    handle_ = INVALID_HANDLE_VALUE;
    return handle == INVALID_HANDLE_VALUE || CloseHandle(handle);
  }

 private:
  HANDLE handle_;
};

class Win32File : public WritableFile {
 public:
  explicit Win32File(HANDLE handle) : handle_(handle) {}

  FileError Write(std::string_view bytes) override {
    while (!bytes.empty()) {
      const DWORD chunk = bytes.size() > (1u << 30) ? (1u << 30) : static_cast<DWORD>(bytes.size());
      DWORD written = 0;
      if (!WriteFile(handle_.get(), bytes.data(), chunk, &written, nullptr)) return LastError();
      bytes.remove_prefix(written);
    }
    return FileError::kNone;
  }

  FileError Commit() override {
    if (!SetEndOfFile(handle_.get()) || !FlushFileBuffers(handle_.get())) return LastError();
    return FileError::kNone;
  }

  FileError Close() override { return handle_.Close() ? FileError::kNone : LastError(); }

 private:
  Handle handle_;
};

OpenedFile Open(const std::u16string& path, DWORD disposition) {
  OpenedFile opened;
  // CREATE_NEW refuses an existing file; the C library's "x" mode does not here.
  const HANDLE handle = CreateFileW(Wide(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                    disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) {
    opened.error = LastError();
  } else {
    opened.file = std::make_unique<Win32File>(handle);
  }
  return opened;
}

bool Exists(const std::u16string& path) {
  return GetFileAttributesW(Wide(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

class Win32FileSystem : public FileSystem {
 public:
  FileError ReadAll(const std::u16string& path, std::string& bytes) override {
    const DWORD attributes = GetFileAttributesW(Wide(path).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return LastError();
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) return FileError::kNotAFile;
    Handle file(CreateFileW(Wide(path).c_str(), GENERIC_READ,
                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) return LastError();
    // Devices (CON, NUL, COM1) could block or never end.
    if (GetFileType(file.get()) != FILE_TYPE_DISK) return FileError::kNotAFile;
    LARGE_INTEGER size{};
    if (GetFileSizeEx(file.get(), &size)) bytes.reserve(static_cast<std::size_t>(size.QuadPart));
    bytes.clear();
    char buffer[64 * 1024];
    for (;;) {
      DWORD got = 0;
      if (!ReadFile(file.get(), buffer, sizeof buffer, &got, nullptr)) return FileError::kFailed;
      if (got == 0) return FileError::kNone;
      bytes.append(buffer, got);
    }
  }

  FileFacts Inspect(const std::u16string& path) override {
    FileFacts facts;
    const DWORD attributes = GetFileAttributesW(Wide(path).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return facts;
    if (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE)) {
      facts.kind = FileFacts::Kind::kOther;
      return facts;
    }
    facts.kind = FileFacts::Kind::kFile;
    facts.readOnly = (attributes & FILE_ATTRIBUTE_READONLY) != 0;
    // Opening for writing without cutting tells whether this user may write.
    Handle writable(CreateFileW(Wide(path).c_str(), GENERIC_WRITE,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    facts.writable = writable.valid() || GetLastError() != ERROR_ACCESS_DENIED;
    Handle any(CreateFileW(Wide(path).c_str(), 0,
                           FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    BY_HANDLE_FILE_INFORMATION information{};
    if (any.valid() && GetFileInformationByHandle(any.get(), &information)) {
      facts.linkCount = information.nNumberOfLinks;
    }
    return facts;
  }

  OpenedFile CreateNew(const std::u16string& path) override { return Open(path, CREATE_NEW); }

  OpenedFile OpenInPlace(const std::u16string& path) override { return Open(path, OPEN_EXISTING); }

  FileError Replace(const std::u16string& from, const std::u16string& to) override {
    if (!Exists(to)) {
      return MoveFileExW(Wide(from).c_str(), Wide(to).c_str(), MOVEFILE_WRITE_THROUGH)
                 ? FileError::kNone
                 : LastError();
    }
    // Keeps the replaced file's attributes, security and creation time.
    if (ReplaceFileW(Wide(to).c_str(), Wide(from).c_str(), nullptr,
                     REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr)) {
      return FileError::kNone;
    }
    const DWORD error = GetLastError();
    return error == ERROR_UNABLE_TO_MOVE_REPLACEMENT || error == ERROR_UNABLE_TO_REMOVE_REPLACED
               ? FileError::kFailed
               : FromError(error);
  }

  FileError Remove(const std::u16string& path) override {
    return DeleteFileW(Wide(path).c_str()) ? FileError::kNone : LastError();
  }
};

}  // namespace

FileSystem& SystemFileSystem() {
  static Win32FileSystem files;
  return files;
}

}  // namespace tavorin
