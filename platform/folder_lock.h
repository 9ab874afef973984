#pragma once
// One run per folder: an advisory lock on a lock file in the working folder, held for as long as
// the object lives and released by the system when the process ends, however it ends (a crash
// or SIGKILL included). Both programs hold it for their whole life.
#include <cstdint>
#include <filesystem>
#include <string>

namespace tallyforge {

inline constexpr const char* kFolderLockName = ".tallyforge.lock";

// The exit status of either program when another run holds its folder (EX_TEMPFAIL: try again
// later).
inline constexpr int kExitFolderInUse = 75;

class FolderLock {
 public:
  enum class State {
    kHeld,         // this process holds the folder
    kInUse,        // another process holds it; holder() and holderName() say which, if known
    kNotAFile,     // a symbolic link, FIFO, directory or device is in the lock file's place
    kUnavailable,  // the lock file cannot be created or locked (a folder without write access)
  };

  // Takes the lock of folder at once or not at all; never waits, never follows a link.
  explicit FolderLock(const std::filesystem::path& folder);
  ~FolderLock();
  FolderLock(const FolderLock&) = delete;
  FolderLock& operator=(const FolderLock&) = delete;

  State state() const { return state_; }
  const std::filesystem::path& folder() const { return folder_; }
  int64_t holder() const { return holder_; }                    // kInUse: its process id, or 0
  const std::string& holderName() const { return holderName_; }  // its program, or empty
  int error() const { return error_; }                          // errno of the failure

 private:
  std::filesystem::path folder_;
  State state_ = State::kUnavailable;
  intptr_t handle_ = -1;  // the platform's handle of the open lock file while held
  int64_t holder_ = 0;
  std::string holderName_;
  int error_ = 0;
};

// Whether path is a folder's lock file: by its name (in any case, and with the trailing dots or
// blanks Windows drops), or as the same file under another name. Nothing may be renamed over
// one: the folder would be free for a second run while the first still runs.
bool IsFolderLockFile(const std::filesystem::path& path);

// What a lock that is not held means for the user, in one sentence that names the folder;
// empty when it is held.
std::string FolderLockText(const FolderLock& lock);

}  // namespace tallyforge
