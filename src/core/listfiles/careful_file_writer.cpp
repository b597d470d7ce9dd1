#include "core/listfiles/careful_file_writer.h"

#include <chrono>
#include <filesystem>
#include <random>

namespace tavorin {
namespace {

struct Sibling {
  std::u16string path;
  OpenedFile opened;
};

// A new file with a short name no other file has, in the target's folder,
// so that it can take the target's place and a name near the length limit
// still gets one.
Sibling CreateSibling(FileSystem& files, const std::u16string& target) {
  const std::u16string separators =
      std::filesystem::path::preferred_separator == '\\' ? u"\\/" : u"/";
  const std::size_t cut = target.find_last_of(separators);
  const std::u16string folder = cut == std::u16string::npos ? u"" : target.substr(0, cut + 1);
  static thread_local std::mt19937 random(
      std::random_device{}() ^
      static_cast<unsigned>(std::chrono::steady_clock::now().time_since_epoch().count()));
  Sibling sibling;
  for (int attempt = 0; attempt < 100; ++attempt) {
    const std::string number = std::to_string(random() % 1000000);
    sibling.path = folder + u".~tavorin" + std::u16string(number.begin(), number.end()) + u".tmp";
    sibling.opened = files.CreateNew(sibling.path);
    if (sibling.opened.error != FileError::kExists) break;
  }
  return sibling;
}

FileError WriteAll(WritableFile& file, std::string_view bytes) {
  FileError error = file.Write(bytes);
  if (error == FileError::kNone) error = file.Commit();
  const FileError closed = file.Close();
  return error != FileError::kNone ? error : closed;
}

FileError WriteInPlace(FileSystem& files, const std::u16string& path, std::string_view bytes) {
  OpenedFile opened = files.OpenInPlace(path);
  if (!opened.file) return opened.error;
  return WriteAll(*opened.file, bytes);
}

CarefulWrite InPlace(FileSystem& files, const std::u16string& target, std::string_view bytes,
                     bool copyAllowed) {
  CarefulWrite result;
  result.hadOldFile = true;
  std::string old;
  if ((result.error = files.ReadAll(target, old)) != FileError::kNone) return result;
  std::u16string copy;
  if (copyAllowed) {
    Sibling sibling = CreateSibling(files, target);
    if (sibling.opened.file) {
      copy = sibling.path;
      if ((result.error = WriteAll(*sibling.opened.file, old)) != FileError::kNone) {
        files.Remove(copy);
        return result;
      }
    } else if (sibling.opened.error != FileError::kNoPermission &&
               sibling.opened.error != FileError::kReadOnly) {
      result.error = sibling.opened.error;
      return result;
    }
  }
  OpenedFile opened = files.OpenInPlace(target);
  result.error = opened.file ? WriteAll(*opened.file, bytes) : opened.error;
  if (opened.file && result.error != FileError::kNone &&
      WriteInPlace(files, target, old) != FileError::kNone) {
    result.oldFileChanged = true;
    result.oldContentCopy = copy;
  } else if (!copy.empty()) {
    files.Remove(copy);
  }
  return result;
}

}  // namespace

CarefulWrite WriteFileCarefully(FileSystem& files, const std::u16string& path,
                                std::string_view bytes) {
  CarefulWrite result;
  const FileFacts facts = files.Inspect(path);
  if (facts.kind == FileFacts::Kind::kOther) {
    result.error = FileError::kNotAFile;
    return result;
  }
  result.hadOldFile = facts.kind == FileFacts::Kind::kFile;
  const std::u16string& target = facts.realPath.empty() ? path : facts.realPath;
  if (result.hadOldFile) {
    if (facts.readOnly || !facts.writable) {
      result.error = facts.readOnly ? FileError::kReadOnly : FileError::kNoPermission;
      return result;
    }
    if (facts.linkCount > 1) return InPlace(files, target, bytes, true);
  }
  Sibling sibling = CreateSibling(files, target);
  if (!sibling.opened.file) {
    const bool folderRefuses = sibling.opened.error == FileError::kNoPermission ||
                               sibling.opened.error == FileError::kReadOnly;
    if (result.hadOldFile && folderRefuses) return InPlace(files, target, bytes, false);
    result.error = sibling.opened.error;
    return result;
  }
  result.error = WriteAll(*sibling.opened.file, bytes);
  if (result.error == FileError::kNone) result.error = files.Replace(sibling.path, target);
  if (result.error == FileError::kNone) return result;
  files.Remove(sibling.path);
  if (result.error == FileError::kCannotKeepOwner) return InPlace(files, target, bytes, true);
  return result;
}

}  // namespace tavorin
