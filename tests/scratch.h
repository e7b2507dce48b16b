#pragma once
// Test support on every platform: a throw-away folder, whole files read and
// written, a folder's entries, and waiting for a condition.

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <random>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "common/path_text.h"

namespace test_support {

namespace fs = std::filesystem;

// A new folder below the temporary folder, removed with everything in it.
class ScratchFolder {
 public:
  ScratchFolder() {
    std::random_device random;
    do {
      path_ = fs::temp_directory_path() / ("spurlix-" + std::to_string(random()));
    } while (!fs::create_directory(path_));
  }
  ~ScratchFolder() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  const fs::path& path() const { return path_; }
  // The path of `name` in the folder, as UTF-8.
  std::string file(std::string_view name) const {
    return common::utf8FromPath(path_ / common::pathFromUtf8(name));
  }
  // Writes `bytes` to `name` in the folder; its path.
  fs::path write(std::string_view name, std::string_view bytes) const {
    const fs::path file = path_ / common::pathFromUtf8(name);
    std::ofstream(file, std::ios::binary).write(bytes.data(), std::ssize(bytes));
    return file;
  }

 private:
  fs::path path_;
};

inline void writeFile(const fs::path& path, std::string_view bytes) {
  std::ofstream(path, std::ios::binary).write(bytes.data(), std::ssize(bytes));
}

inline std::string readFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// The lines of a text file, without their line feeds.
inline std::vector<std::string> readLines(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// The names of a folder's entries, sorted, each followed by ";".
inline std::string entriesOf(const fs::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) {
    names.push_back(common::utf8FromPath(entry.path().filename()));
  }
  std::sort(names.begin(), names.end());
  std::string joined;
  for (const std::string& name : names) joined += name + ";";
  return joined;
}

// Waits until `done` holds, for at most `patience`; whether it held.
inline bool waitFor(const std::function<bool()>& done,
                    std::chrono::milliseconds patience = std::chrono::seconds(10)) {
  const auto deadline = std::chrono::steady_clock::now() + patience;
  while (!done()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return true;
}

}  // namespace test_support
