// How long a 50 MB list file takes to load into a list, GBK with CR LF and
// UTF-8 with LF line ends, against the 2 s a user may wait. Prints the median
// of several loads and its share of the limit. The source is UTF-8, so the
// plain string literal is the UTF-8 line.
//   build/release/bench/tavorin_list_load [loads]

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "core/interfaces/memory_list_box.h"
#include "core/listfiles/gb18030_codec.h"
#include "core/listfiles/list_text_file.h"

int main(int argc, char** argv) {
  const int loads = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
  const std::u16string line = u"第一万行：学校、医院、系统 abc 123";
  const std::pair<const char*, std::string> files[] = {
      {"gbk", tavorin::EncodeGb18030(line + u"\r\n")},
      {"utf8", "第一万行：学校、医院、系统 abc 123\n"},
  };
  int status = 0;
  for (const auto& [name, unit] : files) {
    const std::filesystem::path path =
        std::filesystem::temp_directory_path() / ("tavorin-list-load-" + std::string(name) + ".txt");
    {
      std::string bytes;
      while (bytes.size() < 50'000'000) bytes += unit;
      std::ofstream(path, std::ios::binary) << bytes;
    }
    std::vector<double> seconds;
    for (int i = 0; i < loads; ++i) {
      tavorin::MemoryListBox list;
      const auto start = std::chrono::steady_clock::now();
      const tavorin::ListLoad load = tavorin::ReadLinesIntoList(path.u16string(), list);
      seconds.push_back(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
      if (load.error != tavorin::ListFileError::kNone || list.List(0) != line) {
        std::fprintf(stderr, "%s: the file did not load as written\n", name);
        status = 1;
      }
    }
    std::filesystem::remove(path);
    std::sort(seconds.begin(), seconds.end());
    const double median = seconds[seconds.size() / 2];
    std::printf("%-5s 50 MB: median %.3f s of %d loads, %.0f %% of the 2 s limit\n", name, median, loads,
                100 * median / 2.0);
  }
  return status;
}
