#pragma once
// The runner's exit statuses, what a session's runs add up to, and which status wins when
// several apply.
#include <vector>

#include "folder_lock.h"
#include "run_record.h"

namespace tallyforge {

inline constexpr int kExitRunFailed = 1;    // an output file could not be created or written
inline constexpr int kExitUsage = 2;        // bad arguments, or an unreadable result document
inline constexpr int kExitWrongResult = 3;  // a run's result failed its check
inline constexpr int kExitNotChecked = 4;   // a run's result could not be checked
inline constexpr int kExitInternal = 70;    // an internal error, caught at the last resort
// kExitFolderInUse (75): another run holds the folder (folder_lock.h).
inline constexpr int kExitInterrupted = 130;

// The status that wins of a and b: 3, then 1, then 4, then 130, then 0. Any other status (2,
// 70, 75) stands as 1 does; of two that stand alike, a keeps its place.
int WorseExit(int a, int b);

// The exit status of a session's runs: 3 when one is WRONG, else 1 when an output file failed,
// else 4 when one could not be checked, else 130 when stopped, else 0.
int ExitStatusOf(const std::vector<RecordedRun>& runs, bool stopped);

}  // namespace tallyforge
