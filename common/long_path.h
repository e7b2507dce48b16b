#pragma once
// Paths longer than Windows' classic limit of 260 characters. The file
// functions of Windows refuse such paths unless they carry the "\\?\" prefix
// (which in turn switches off the resolution of "." and ".." and of "/").
// On other systems paths have no such limit and stay as they are.

#include <filesystem>

namespace common {

// On Windows: a path of 248 characters or more (the limit for folders),
// resolved to its full form and prefixed with "\\?\" ("\\?\UNC\" for a
// network path); shorter paths and paths that already carry a prefix are
// returned unchanged. Elsewhere: the path unchanged.
std::filesystem::path withLongPathPrefix(const std::filesystem::path& path);

// The path without a "\\?\" or "\\?\UNC\" prefix (Windows only; elsewhere
// unchanged).
std::filesystem::path withoutLongPathPrefix(const std::filesystem::path& path);

}  // namespace common
