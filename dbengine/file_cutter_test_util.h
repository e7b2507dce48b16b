#pragma once
// Test helper: another process that cuts a file short, as ACT! does when it
// packs a table while we read it. One implementation per platform:
// database_shrinking_posix_test.cpp, database_shrinking_win32_test.cpp.

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>

namespace dbengine::testing {

// Asks about a started cutter: nullopt while it runs, then whether it made
// the cut.
using CutterStatus = std::function<std::optional<bool>()>;

// Starts a process that waits `delay` and then cuts `file` to `length` bytes;
// empty when it could not be started.
CutterStatus startFileCutter(const std::filesystem::path& file, std::uint64_t length,
                             std::chrono::milliseconds delay);

}  // namespace dbengine::testing
