// The cutter of database_shrinking_test.cpp on Linux: a forked child that
// truncates the file.

#include <sys/wait.h>
#include <unistd.h>

#include "dbengine/file_cutter_test_util.h"

namespace dbengine::testing {

CutterStatus startFileCutter(const std::filesystem::path& file, std::uint64_t length,
                             std::chrono::milliseconds delay) {
  const pid_t child = ::fork();
  if (child < 0) return {};
  if (child == 0) {
    ::usleep(static_cast<useconds_t>(delay.count() * 1000));
    ::_exit(::truncate(file.c_str(), static_cast<off_t>(length)) == 0 ? 0 : 1);
  }
  return [child]() -> std::optional<bool> {
    int status = 0;
    const pid_t ended = ::waitpid(child, &status, WNOHANG);
    if (ended == 0) return std::nullopt;
    return ended == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
  };
}

}  // namespace dbengine::testing
