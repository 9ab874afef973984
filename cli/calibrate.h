#pragma once
// `calibrate`: a stress run whose nine times become Reference.txt, with the machine named.
#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "result_board.h"
#include "run_recorder.h"

namespace tallyforge::cli {

// The nine reference times from a session's runs: each benchmark's median over its complete
// runs. None unless all nine ran to the end with complete files.
std::optional<std::array<double, kRowCount>> CalibratedTimes(const std::vector<RecordedRun>& runs);

// Writes Reference.txt in directory through a temporary file, so that a failed write leaves the
// old one. Returns 0 or the errno of the failure.
int WriteReferenceFile(const std::filesystem::path& directory,
                       const std::array<double, kRowCount>& seconds, const std::string& machine);

}  // namespace tallyforge::cli
