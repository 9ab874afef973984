#pragma once
// What a stop (Ctrl-C) left undone of an invocation, as its document records it: a document of
// stopped work never passes for the whole of it.
#include <cstddef>
#include <string>
#include <vector>

#include "run_record.h"

namespace tallyforge {

struct StopRecord {
  std::string at;                   // where the stop came: "B9 of pass 1", "1 copy at once"
  std::vector<std::string> notRun;  // what it left undone: "B4, B9 of pass 1", "passes 2 to 3"
};

// The stop of a session that set out to run benchmarks, in that order, in each of passes
// passes (0: as many as it could, as the stability loop does), once runs had been made.
StopRecord SessionStop(const std::vector<int>& benchmarks, int passes,
                       const std::vector<RecordedRun>& runs);

// The stop of --jobs once the first done of its copy counts had run.
StopRecord JobsStop(const std::vector<int>& counts, size_t done);

// "stopped at B9 of pass 1; not run: B1 of pass 1, passes 2 to 3", naming at most most of what
// did not run ("and 4 more"); every text made printable and cut at 100 bytes.
std::string StopText(const StopRecord& stop, size_t most = 12);

}  // namespace tallyforge
