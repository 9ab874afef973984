#pragma once
// The fields a result document must hold and their JSON types, as README documents them.
#include <nlohmann/json.hpp>
#include <string>

namespace tallyforge {

// Whether document holds every field of its schema version with its type (members beyond
// those are allowed). When not, error names the first field at fault, e.g. "runs[2].ticks:
// expected an integer, found string" or "missing total_score.passes".
bool MatchesDocumentSchema(const nlohmann::json& document, int schemaVersion, std::string& error);

}  // namespace tallyforge
