#include "folder_lock.h"

#include <cctype>
#include <type_traits>

#include "output_file.h"

namespace tallyforge {

bool IsFolderLockFile(const std::filesystem::path& path) {
  using Unit = std::filesystem::path::value_type;
  std::string name;  // ASCII in lower case; anything else cannot match
  const std::filesystem::path filename = path.filename();
  for (const Unit c : filename.native()) {
    const auto code = static_cast<std::make_unsigned_t<Unit>>(c);
    name += code < 0x80 ? static_cast<char>(std::tolower(code)) : '?';
  }
  while (!name.empty() && (name.back() == '.' || name.back() == ' ')) name.pop_back();
  if (name == kFolderLockName) return true;
  std::error_code ec;
  const std::filesystem::path folder = path.parent_path().empty() ? "." : path.parent_path();
  return std::filesystem::equivalent(path, folder / kFolderLockName, ec);
}

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
