#include "dbengine/storage/lock_wait.h"

#include <algorithm>
#include <thread>

namespace dbengine {

ReadOnlyFile::Read LockWait::read(const ReadOnlyFile& file, std::uint64_t offset,
                                  std::span<std::uint8_t> buffer,
                                  std::chrono::milliseconds patience) const {
  using Clock = std::chrono::steady_clock;
  constexpr std::chrono::milliseconds kLongestPause{50};
  const Clock::time_point giveUp = std::min(deadline_, Clock::now() + patience);
  std::chrono::milliseconds pause{1};
  while (true) {
    const ReadOnlyFile::Read result = file.readAt(offset, buffer);
    if (result.fault != ReadOnlyFile::Read::Fault::kLocked) return result;
    const Clock::time_point now = Clock::now();
    if (now >= giveUp) return result;
    std::this_thread::sleep_for(std::min<Clock::duration>(pause, giveUp - now));
    pause = std::min(pause * 2, kLongestPause);
  }
}

}  // namespace dbengine
