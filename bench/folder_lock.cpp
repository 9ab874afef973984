#include "folder_lock.h"

#include "output_file.h"

namespace tallyforge {

std::string FolderLockText(const FolderLock& lock) {
  std::error_code ec;
  const std::filesystem::path absolute = std::filesystem::absolute(lock.folder(), ec);
  const std::filesystem::path shown = ec ? lock.folder() : absolute.lexically_normal();
  std::string folder = shown.string();
  if (folder.size() > 1 && folder.back() == '/') folder.pop_back();
  const std::string file = (shown / kFolderLockName).string();
  switch (lock.state()) {
    case FolderLock::State::kHeld:
      return "";
    case FolderLock::State::kInUse: {
      std::string who = "another run";
      if (lock.holder() > 0) {
        who += " (process " + std::to_string(lock.holder());
        if (!lock.holderName().empty()) who += ", " + lock.holderName();
        who += ")";
      }
      return "the folder " + folder + " is in use by " + who +
             "; one run at a time per folder: wait for it to end, or use another folder";
    }
    case FolderLock::State::kNotAFile:
    case FolderLock::State::kUnavailable:
      return "cannot lock the folder " + folder + ": " + file + ": " +
             OutputFileErrorText(lock.error());
  }
  return "";
}

}  // namespace tallyforge
