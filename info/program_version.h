#pragma once
// The program's version, from the project's (CMakeLists.txt). The
// information dialog shows it as "major.minor.revision" (1.2.3); the file
// version carries the same numbers as 1.2.0.3.

namespace info {

inline constexpr int kVersionMajor = SPURLIX_VERSION_MAJOR;
inline constexpr int kVersionMinor = SPURLIX_VERSION_MINOR;
inline constexpr int kVersionRevision = SPURLIX_VERSION_REVISION;

}  // namespace info
