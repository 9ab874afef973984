#pragma once
// The runner's side of the one-run-per-folder lock: what it says and how it exits.
#include <cstdio>

#include "folder_lock.h"

namespace tallyforge::cli {

// 0 when the run may go ahead: the lock is held, or the folder cannot hold a lock file at all
// (no write access: a note says that this run is not kept apart from others). Otherwise the
// problem is written to err and the exit status returned: kExitFolderInUse when another run
// holds the folder, kExitRunFailed when something other than a regular file is in the lock
// file's place.
int ClaimFolder(const FolderLock& lock, std::FILE* err);

}  // namespace tallyforge::cli
