#pragma once
// `check` and `compare`: reading result documents back. The integrity check guards against
// accidents and casual edits; anyone can recompute the digest, so it proves nothing against
// deliberate forgery.
#include <cstdio>
#include <filesystem>
#include <map>
#include <optional>
#include <string>

#include <nlohmann/json.hpp>

namespace tallyforge::cli {

// Reads and parses a result document; none (with the reason in error) when it cannot be read,
// is not JSON or is not a result document.
std::optional<nlohmann::json> LoadDocument(const std::filesystem::path& path, std::string& error);

// Output file name -> SHA-256 of the file a correct, complete run of the standard work writes.
using ExpectedAnswers = std::map<std::string, std::string>;

// Prints whether the figures were edited after writing and whether each output file's
// checksum matches its expected answer. Returns 0 when all is well, 1 otherwise.
int CheckDocument(const nlohmann::json& document, const ExpectedAnswers& answers, std::FILE* out);

// Prints both documents' median seconds per benchmark and their scores side by side, with the
// ratio of B to A. Returns 0, or 1 when they have no benchmark in common.
int CompareDocuments(const nlohmann::json& a, const nlohmann::json& b, std::FILE* out);

}  // namespace tallyforge::cli
