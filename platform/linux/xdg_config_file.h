#pragma once
// Per-user configuration files: where they live and how they are read and
// replaced. Errors are values (errno numbers); nothing here throws by design.

#include <string>
#include <string_view>

namespace platform_linux {

// $XDG_CONFIG_HOME when it is an absolute path, else $HOME/.config, else the
// home folder of the user database followed by /.config. Empty when no home
// folder is known.
std::string xdgConfigHome();

enum class ReadStatus { Ok, Missing, Failed };

struct FileContents {
  ReadStatus status = ReadStatus::Failed;
  std::string bytes;  // the whole file when status is Ok
  int error = 0;      // errno when status is not Ok (EFBIG: larger than allowed)
};

// Reads the whole file. Missing when it does not exist; Failed when it cannot
// be read (a folder, no permission, larger than `maxBytes`, I/O error).
FileContents readWholeFile(const std::string& path, std::size_t maxBytes);

// Creates the folder and its missing parents (new ones with mode 0700).
// Returns 0, or the errno of the step that failed.
int makeDirectories(const std::string& path);

// Replaces the file at `path` with `contents` so that a reader, and the file
// after a crash or power loss, sees either the old or the new contents in
// full: the contents go to a temporary file in the same folder, which is
// synced and then renamed over `path`; the folder is synced last. An existing
// file keeps its permission bits. Returns 0, or the errno of the step that
// failed; the old file is then untouched and the temporary file removed.
int replaceFileAtomically(const std::string& path, std::string_view contents);

// Removes the temporary files that replaceFileAtomically leaves beside `path`
// when the process dies mid-write. Call it only while holding the FolderLock
// that every writer of `path` takes, so that no live writer's file goes.
void removeLeftoverTemporaries(const std::string& path);

// An exclusive advisory lock on a folder, held for the object's lifetime, so
// that two processes updating a file in it one after the other do not lose
// each other's changes. Locking is best effort: held() tells whether it worked.
class FolderLock {
 public:
  explicit FolderLock(const std::string& folder);
  ~FolderLock();
  FolderLock(const FolderLock&) = delete;
  FolderLock& operator=(const FolderLock&) = delete;
  bool held() const { return fd_ >= 0; }

 private:
  int fd_ = -1;
};

// The folder part of a path ("." when it has none).
std::string folderOf(const std::string& path);

}  // namespace platform_linux
