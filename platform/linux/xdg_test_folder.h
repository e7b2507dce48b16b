#pragma once
// Test support: a throw-away folder, removed with everything in it.

#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

namespace platform_linux::testing {

class TestFolder {
 public:
  TestFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "spurlix-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) std::abort();
    path_ = pattern;
  }
  ~TestFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  TestFolder(const TestFolder&) = delete;
  TestFolder& operator=(const TestFolder&) = delete;

  const std::string& path() const { return path_; }
  std::string file(std::string_view name) const { return path_ + "/" + std::string(name); }

 private:
  std::string path_;
};

inline void writeFile(const std::string& path, std::string_view contents) {
  std::ofstream(path, std::ios::binary) << contents;
}

inline std::string readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// Names of the entries of a folder, sorted.
inline std::string entriesOf(const std::string& folder) {
  std::string names;
  std::vector<std::string> sorted;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    sorted.push_back(entry.path().filename().string());
  }
  std::sort(sorted.begin(), sorted.end());
  for (const auto& name : sorted) names += name + ";";
  return names;
}

}  // namespace platform_linux::testing
