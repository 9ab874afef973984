#pragma once
// Which logical processors the process may run on, and pinning it to one of them: the runner's
// --each-core runs every benchmark on one processor at a time.
#include <optional>
#include <string>
#include <vector>

namespace tallyforge {

// The logical processors the process may run on now, in increasing order: its affinity mask,
// which a cgroup's cpuset (Linux) or a job object (Windows) already narrows. Empty when the
// system would not say.
std::vector<int> AllowedProcessors();

// Pins the process to processors (on Linux the calling thread, which is the one the benchmarks
// run on; on Windows the process and the calling thread). 0 on success, else an errno value:
// EINVAL for a processor that is offline or outside what the process may use.
int PinToProcessors(const std::vector<int>& processors);

// "0,2-5" as the processors it names, in increasing order without repeats; none, with the
// reason in error, for anything else ("" , "3-1", "x", a number above 4095).
std::optional<std::vector<int>> ParseProcessorList(const std::string& text, std::string& error);

}  // namespace tallyforge
