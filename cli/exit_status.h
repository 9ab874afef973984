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

// The status that wins when several apply: 3, then 1, then 4, then 130, then 0 (any other
// status, such as 2 or 70, stands as 1 does and keeps its place when it comes first).
inline int WorstStatus(int status, int other) {
  const auto rank = [](int code) {
    switch (code) {
      case 0: return 0;
      case kExitInterrupted: return 1;
      case kExitNotChecked: return 2;
      case kExitWrongResult: return 4;
      default: return 3;
    }
  };
  return rank(other) > rank(status) ? other : status;
}

}  // namespace tallyforge::cli
