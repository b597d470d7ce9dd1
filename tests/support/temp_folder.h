#pragma once

#ifndef _WIN32
#include <unistd.h>
#endif

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

namespace tavorin::testing {

// A fresh folder for one test, removed with everything in it afterwards.
class TempFolder {
 public:
  TempFolder() {
    std::random_device random;
    do {
      path_ = std::filesystem::temp_directory_path() / ("tavorin-" + std::to_string(random()));
    } while (!std::filesystem::create_directory(path_));
  }
  ~TempFolder() {
    std::error_code ec;
    // A file made read-only would stop the removal on Windows.
    for (const auto& entry : std::filesystem::recursive_directory_iterator(path_, ec)) {
      std::filesystem::permissions(entry.path(), std::filesystem::perms::owner_all, std::filesystem::perm_options::add,
                                   ec);
    }
    std::filesystem::remove_all(path_, ec);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  std::filesystem::path Path(const std::string& name) const {
    // The name's bytes are UTF-8 on every system.
    return path_ / std::u8string(reinterpret_cast<const char8_t*>(name.data()), name.size());
  }
  std::u16string Name(const std::string& name) const { return Path(name).u16string(); }

  void Write(const std::string& name, const std::string& bytes) const {
    std::ofstream(Path(name), std::ios::binary) << bytes;
  }
  std::string Read(const std::string& name) const {
    std::ifstream in(Path(name), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  int FileCount() const { return static_cast<int>(std::distance(std::filesystem::directory_iterator(path_), {})); }

 private:
  std::filesystem::path path_;
};

// Root reads and writes past permission bits, so tests that need a refused
// file system operation take another way there.
inline bool RunningAsRoot() {
#ifdef _WIN32
  return false;
#else
  return geteuid() == 0;
#endif
}

}  // namespace tavorin::testing
