#pragma once
// The program's version. The information dialog shows it as
// "major.minor.revision" (1.2.3); the file version carries the same numbers
// as 1.2.0.3.

namespace info {

inline constexpr int kVersionMajor = 1;
inline constexpr int kVersionMinor = 2;
inline constexpr int kVersionRevision = 3;

}  // namespace info
