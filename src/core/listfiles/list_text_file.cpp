#include "core/listfiles/list_text_file.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <random>

#include "core/listfiles/list_text_encoding.h"

namespace tavorin {
namespace {

namespace fs = std::filesystem;

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

bool IsBlank(char16_t c) { return c == u' ' || c == u'\t' || c == u'\u3000'; }

ListFileError ReadBytes(const fs::path& path, std::string& bytes) {
  std::error_code ec;
  const fs::file_status status = fs::status(path, ec);
  if (path.empty() || status.type() == fs::file_type::not_found) return ListFileError::kNotFound;
  if (ec) return ListFileError::kCannotOpen;
  // Reading a pipe or a device could block or never end.
  if (!fs::is_regular_file(status)) return ListFileError::kNotAFile;
  File file(std::fopen(path.c_str(), "rb"));
  if (!file) return ListFileError::kCannotOpen;
  char buffer[64 * 1024];
  std::size_t got = 0;
  while ((got = std::fread(buffer, 1, sizeof buffer, file.get())) > 0) bytes.append(buffer, got);
  return std::ferror(file.get()) ? ListFileError::kReadFailed : ListFileError::kNone;
}

// A short name in the target's folder that no other file has, so a target
// name near the length limit still gets one; "x" refuses existing files.
File CreateSibling(const fs::path& target, fs::path& created) {
  std::random_device random;
  for (int attempt = 0; attempt < 100; ++attempt) {
    created = target.parent_path() / (".~tavorin" + std::to_string(random() % 1000000) + ".tmp");
    File file(std::fopen(created.c_str(), "wbx"));
    if (file || errno != EEXIST) return file;
  }
  return nullptr;
}

bool WriteAll(std::FILE* file, const std::string& bytes) {
  return std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size() &&
         std::fflush(file) == 0 && fsync(fileno(file)) == 0;
}

}  // namespace

bool IsBlankLine(std::u16string_view line) {
  for (char16_t c : line) {
    if (!IsBlank(c)) return false;
  }
  return true;
}

std::vector<std::u16string> SplitListLines(std::u16string_view text) {
  std::vector<std::u16string> lines;
  std::size_t start = 0;
  const auto keep = [&](std::size_t end) {
    const std::u16string_view line = text.substr(start, end - start);
    if (!IsBlankLine(line)) lines.emplace_back(line);
  };
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != u'\r') continue;
    keep(i);
    if (i + 1 < text.size() && text[i + 1] == u'\n') ++i;
    start = i + 1;
  }
  if (start < text.size()) keep(text.size());
  return lines;
}

ListFileLines ReadListFile(const std::u16string& path) {
  ListFileLines result;
  std::string bytes;
  result.error = ReadBytes(fs::path(path), bytes);
  if (result.error != ListFileError::kNone) return result;
  const auto text = DecodeListFileBytes(bytes);
  if (!text) {
    result.error = ListFileError::kNotText;
    return result;
  }
  result.lines = SplitListLines(*text);
  return result;
}

ListLoad ReadLinesIntoList(const std::u16string& path, ListBox& list, bool flagEach) {
  ListFileLines file = ReadListFile(path);
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

ListFileError WriteListLines(const std::u16string& path, const ListBox& list) {
  std::u16string text;
  for (int i = 0; i < list.ListCount(); ++i) text += list.List(i) + u"\r\n";
  const std::optional<std::string> bytes = EncodeListFileText(text);
  if (!bytes) return ListFileError::kCannotWrite;

  std::error_code ec;
  fs::path target(path);
  // Replace the file a link points to, not the link.
  if (fs::is_symlink(target, ec)) {
    const fs::path resolved = fs::canonical(target, ec);
    if (!ec) target = resolved;
  }
  fs::path temporary;
  File file = CreateSibling(target, temporary);
  if (!file) return ListFileError::kCannotWrite;
  bool written = WriteAll(file.get(), *bytes);
  written = std::fclose(file.release()) == 0 && written;
  if (written && fs::is_regular_file(target, ec)) {
    // Keep the permissions the old file had.
    fs::permissions(temporary, fs::status(target, ec).permissions(), ec);
  }
  if (written) fs::rename(temporary, target, ec);
  if (!written || ec) {
    fs::remove(temporary, ec);
    return ListFileError::kCannotWrite;
  }
  return ListFileError::kNone;
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
