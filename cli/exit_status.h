#pragma once
// The terminal runner's exit statuses.
#include "folder_lock.h"

namespace tallyforge::cli {

inline constexpr int kExitRunFailed = 1;    // an output file could not be created or written
inline constexpr int kExitUsage = 2;        // bad arguments, or an unreadable result document
inline constexpr int kExitWrongResult = 3;  // a run's result failed its check
inline constexpr int kExitNotChecked = 4;   // a run's result could not be checked
inline constexpr int kExitInternal = 70;    // an internal error, caught at the last resort
inline constexpr int kExitFolderInUse = tallyforge::kExitFolderInUse;  // another run holds -C
inline constexpr int kExitInterrupted = 130;

}  // namespace tallyforge::cli
