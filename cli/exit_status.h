#pragma once
// The terminal runner's exit statuses.
#include "folder_lock.h"

namespace tallyforge::cli {

inline constexpr int kExitRunFailed = 1;    // an output file could not be created or written
inline constexpr int kExitUsage = 2;        // bad arguments
inline constexpr int kExitWrongResult = 3;  // a run's result failed its check
inline constexpr int kExitFolderInUse = tallyforge::kExitFolderInUse;  // another run holds -C
inline constexpr int kExitInterrupted = 130;

}  // namespace tallyforge::cli
