#include "folder_claim.h"

#include "exit_status.h"
#include "safe_text.h"

namespace tallyforge::cli {

int ClaimFolder(const FolderLock& lock, std::FILE* err) {
  const std::string text = TerminalText(FolderLockText(lock));  // the folder's path, printable
  switch (lock.state()) {
    case FolderLock::State::kHeld:
      return 0;
    case FolderLock::State::kUnavailable:
      std::fprintf(err, "tallyforge-cli: note: %s; this run is not kept apart from others in it\n",
                   text.c_str());
      return 0;
    case FolderLock::State::kInUse:
      std::fprintf(err, "tallyforge-cli: %s\n", text.c_str());
      return kExitFolderInUse;
    case FolderLock::State::kNotAFile:
      std::fprintf(err, "tallyforge-cli: %s\n", text.c_str());
      return kExitRunFailed;
  }
  return kExitRunFailed;
}

}  // namespace tallyforge::cli
