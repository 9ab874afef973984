#pragma once
// The fields a result document must hold and their JSON types, as README documents them.
#include <nlohmann/json.hpp>
#include <string>

namespace tallyforge {

// Members of the document that its writer, its reader and the field table share, spelled here
// only. Members added after a version was published are optional to the reader: an older
// document lacks them, and means what documents meant before them.
namespace document_key {
inline constexpr const char kRemainder[] = "remainder";  // the engine's remainder routine
inline constexpr const char kStop[] = "stop";            // null, or how a stop ended the run
inline constexpr const char kStopAt[] = "at";
inline constexpr const char kNotRun[] = "not_run";
inline constexpr const char kJobs[] = "jobs";
inline constexpr const char kCopies[] = "copies";
inline constexpr const char kCopyResults[] = "results";
inline constexpr const char kFolder[] = "folder";
inline constexpr const char kExitCode[] = "exit_code";
inline constexpr const char kComplete[] = "complete";
inline constexpr const char kState[] = "state";
}  // namespace document_key

// Whether document holds every field of its schema version with its type (members beyond
// those are allowed). When not, error names the first field at fault, e.g. "runs[2].ticks:
// expected an integer, found string" or "missing total_score.passes".
bool MatchesDocumentSchema(const nlohmann::json& document, int schemaVersion, std::string& error);

}  // namespace tallyforge
