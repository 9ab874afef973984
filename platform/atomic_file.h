#pragma once
// Files replaced whole: written under a temporary name in the same folder, then renamed into
// place, so that a reader (or a run interrupted at any moment) finds the old file or the new one,
// never a part of either.
#include <filesystem>
#include <string_view>

namespace tallyforge {

// Replaces the file at path with text. Returns 0, or the errno of the failure; the file at path
// is then as it was. A symbolic link at path is replaced itself, never followed; a folder's lock
// file never (EPERM). The new file keeps the permissions of the one it replaces (new ones: 0666
// less the umask). Any name that can be written can be replaced: the temporary name is cut to
// the system's limits.
int ReplaceFile(const std::filesystem::path& path, std::string_view text);

// Whether ReplaceFile could create its temporary file next to path: 0, or the errno why not.
// Nothing is left behind.
int ProbeReplaceFile(const std::filesystem::path& path);

// Removes the temporary file of a replacement under way, if there is one, for a process that is
// about to end in its middle. Safe in a signal handler (and a console control handler).
void RemovePendingTemporary();

}  // namespace tallyforge
