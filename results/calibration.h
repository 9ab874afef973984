#pragma once
// `calibrate`: a stress run whose nine times become Reference.txt, with the machine named.
#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "result_board.h"
#include "recorded_results.h"

namespace tallyforge {

// The nine reference times from a session's results: each benchmark's median over its runs.
// None unless every run ran to its end and was verified, and all nine ran.
std::optional<std::array<double, kRowCount>> CalibratedTimes(const RecordedResults& results);

// Replaces Reference.txt in directory whole, so that a failed write leaves the old one.
// Returns 0 or the errno of the failure.
int WriteReferenceFile(const std::filesystem::path& directory,
                       const std::array<double, kRowCount>& seconds, const std::string& machine);

}  // namespace tallyforge
